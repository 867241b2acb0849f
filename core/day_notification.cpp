#include "core/day_notification.h"

#include "base/utf16_units.h"

namespace ormind {
namespace {

constexpr const char* kEllipsis = "…";

std::string Join(const std::vector<NotificationLine>& lines, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += '\n';
    text += lines[i].text;
  }
  return text;
}

// The day view's caption of a section without the space it ends in ("Name-day: ").
std::string Caption(const InterfaceTexts& texts, TextId id) {
  std::string caption = texts[id];
  while (!caption.empty() && caption.back() == ' ') caption.pop_back();
  return caption;
}

void AddSection(std::vector<NotificationLine>& lines, std::string caption,
                const std::vector<std::string>& entries) {
  if (entries.empty()) return;
  lines.push_back({std::move(caption), false});
  for (const std::string& entry : entries) lines.push_back({entry, true});
}

}  // namespace

std::string CutWithEllipsis(const std::string& text, std::size_t maxUnits) {
  if (Utf16UnitCount(text) <= maxUnits) return text;
  if (maxUnits == 0) return std::string();
  return text.substr(0, Utf8PrefixWithinUnits(text, maxUnits - 1)) + kEllipsis;
}

std::string FitNotificationLines(const std::vector<NotificationLine>& lines,
                                 const InterfaceTexts& texts, std::size_t maxUnits) {
  // units[k]: what the first k lines take joined; entriesBefore[k]: entries among them.
  std::vector<std::size_t> units(lines.size() + 1, 0), entriesBefore(lines.size() + 1, 0);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    units[i + 1] = units[i] + (i > 0 ? 1 : 0) + Utf16UnitCount(lines[i].text);
    entriesBefore[i + 1] = entriesBefore[i] + (lines[i].entry ? 1 : 0);
  }
  if (units.back() <= maxUnits) return Join(lines, lines.size());

  const std::size_t entries = entriesBefore.back();
  for (std::size_t kept = lines.size(); kept-- > 1;) {
    if (!lines[kept - 1].entry) continue;  // a caption is not left hanging at the end
    const std::string more = texts.MoreEntries(static_cast<int>(entries - entriesBefore[kept]));
    if (units[kept] + 1 + Utf16UnitCount(more) <= maxUnits) return Join(lines, kept) + '\n' + more;
  }

  // Not even the first entry fits whole: it is cut, after the captions before it.
  std::size_t first = 0;
  while (first < lines.size() && !lines[first].entry) ++first;
  const std::size_t shown = first < lines.size() ? first + 1 : lines.size();
  const std::size_t rest = entries - entriesBefore[shown];
  const std::string more = rest > 0 ? '\n' + texts.MoreEntries(static_cast<int>(rest)) : "";
  const std::size_t moreUnits = Utf16UnitCount(more);
  if (moreUnits >= maxUnits) return CutWithEllipsis(Join(lines, lines.size()), maxUnits);
  return CutWithEllipsis(Join(lines, shown), maxUnits - moreUnits) + more;
}

std::optional<DayNotification> ComposeDayNotification(const DayViewText& view,
                                                      const InterfaceTexts& texts) {
  const DayShownLines& shown = view.shown;
  if (shown.Empty()) return std::nullopt;
  std::vector<NotificationLine> lines;
  AddSection(lines, Caption(texts, TextId::IsTheBirthday), shown.birthdays);
  AddSection(lines, Caption(texts, TextId::OtherEvents), shown.events);
  AddSection(lines, Caption(texts, TextId::NameDay), shown.namedays);
  return DayNotification{CutWithEllipsis(view.heading, kNotificationTitleUnits),
                         FitNotificationLines(lines, texts, kNotificationTextUnits)};
}

std::string DayTooltip(const DayShownLines& shown, const InterfaceTexts& texts) {
  if (shown.birthdays.empty()) return std::string();
  return texts.BirthdaysToday(static_cast<int>(shown.birthdays.size()));
}

}  // namespace ormind
