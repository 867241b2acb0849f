#pragma once
// What the tray icon tells of a day: a notification titled with the day's heading whose text is
// the day view's own lines for that day, cut to what the notification holds, and a tooltip
// naming the day's birthdays.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/day_view.h"
#include "core/interface_texts.h"

namespace ormind {

// What the shell's notification holds, in UTF-16 units, the terminator not counted.
inline constexpr std::size_t kNotificationTitleUnits = 63;
inline constexpr std::size_t kNotificationTextUnits = 255;

struct DayNotification {
  std::string title;  // UTF-8
  std::string text;   // UTF-8, lines separated by "\n"
};

// One line of a notification's text: a section's caption or one of its entries.
struct NotificationLine {
  std::string text;
  bool entry = true;
};

// The lines joined by "\n" when they fit in `maxUnits`. Otherwise as many whole lines as fit
// with room for a last line "… and N more" naming the entries left out (a caption is never
// left without an entry under it); when not even the first entry fits whole, it is cut at a
// character boundary and ends in "…".
std::string FitNotificationLines(const std::vector<NotificationLine>& lines,
                                 const InterfaceTexts& texts, std::size_t maxUnits);

// `text` when it fits in `maxUnits`, else its start cut at a character boundary followed by "…".
std::string CutWithEllipsis(const std::string& text, std::size_t maxUnits);

// The notification for the day of `view`: nullopt when the day holds no birthday, event or
// name-day. Each section with entries gives its caption, then its entries.
std::optional<DayNotification> ComposeDayNotification(const DayViewText& view,
                                                      const InterfaceTexts& texts);

// "Ormind — 2 birthdays today"; empty on a day without birthdays (the icon then has no tooltip).
std::string DayTooltip(const DayShownLines& shown, const InterfaceTexts& texts);

}  // namespace ormind
