#pragma once
// The day view: a heading with the date and a block listing what falls on that day and on the
// following days, built from the event list file at every call.
#include <string>
#include <string_view>
#include <vector>

#include "base/day.h"
#include "base/environment.h"
#include "core/interface_texts.h"
#include "core/settings.h"

namespace ormind {

// DaysBefore above this is used as this many days (the file keeps what the user wrote).
constexpr int kMaxDaysBefore = 366;

// The main window's two labels and its buttons.
class DayViewTarget {
 public:
  virtual ~DayViewTarget() = default;
  virtual void SetHeading(const std::string& utf8) = 0;  // Label2
  // Label3: called as the block grows or once at the end; either way the label holds what
  // was built so far.
  virtual void SetBlock(const std::string& utf8) = 0;
  virtual void ResetButtons() = 0;  // hover reset
};

// What the block says of the day shown, section by section: each entry as its line of the
// block (the name, and the age mark for birthdays and events).
struct DayShownLines {
  std::vector<std::string> birthdays, events, namedays;
  bool Empty() const { return birthdays.empty() && events.empty() && namedays.empty(); }
};

struct DayViewText {
  std::string heading;
  std::string block;
  DayShownLines shown;
};

// The heading and the block for `day` from the bytes of an event list file (decoded as the
// file would be); `today` decides the "Today, " prefix; daysBefore is capped at kMaxDaysBefore.
DayViewText ComposeDayView(Day day, Day today, int32_t daysBefore, Feb29Rule feb29,
                           const InterfaceTexts& texts, std::string_view eventListBytes,
                           int codePage);

enum class DayViewStatus { Read, FileMissing, Unreadable };

struct DayViewReading {
  DayViewStatus status = DayViewStatus::Read;
  DayViewText text;  // only when read
};

// The day view of `day` from the event list at settings.EventsPath, read once.
DayViewReading ReadDayView(Day day, Day today, const Settings& settings,
                           const InterfaceTexts& texts, const FileSystem& files);

// Builds the day view of `day` from the event list at settings.EventsPath. The heading is
// always written; a missing file (DataFileMissing) or an unreadable one (DataError) puts the
// message in the block as well as in a message box.
void ShowDay(Day day, const Settings& settings, const InterfaceTexts& texts, const Clock& clock,
             const FileSystem& files, MessageSink& messages, DayViewTarget& target);

}  // namespace ormind
