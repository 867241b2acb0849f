#include "core/day_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/event_list.h"
#include "core/ini_file.h"

namespace ormind {
namespace {

std::string DateText(const CivilDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2d.%.2d.%.4d", date.day, date.month, date.year);
  return text;
}

std::string Heading(Day day, Day today, const InterfaceTexts& texts) {
  const bool isToday = std::floor(day) == std::floor(today);
  return (isToday ? texts[TextId::Today] : std::string()) + DateText(DateFromDay(day));
}

void AppendAge(std::string& block, int32_t age) {
  if (age <= 0) return;
  block += " (";
  block += std::to_string(age);
  block += IsRoundAnniversary(age) ? "!)" : ")";
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The three sections, read once; every day of the view is matched against them.
struct EventLists {
  std::vector<EventEntry> birthdays, events, namedays;
  explicit EventLists(const IniDocument& document)
      : birthdays(ReadEventSection(document, EventSection::Birthday)),
        events(ReadEventSection(document, EventSection::Events)),
        namedays(ReadEventSection(document, EventSection::Nameday)) {}
};

void AppendDayShown(std::string& block, const CivilDate& date, const InterfaceTexts& texts,
                    const EventLists& lists) {
  block = texts[TextId::IsTheBirthday];
  for (const EventEntry& entry : lists.birthdays) {
    const Match match = MatchDecoded(entry.event, date);
    if (!match.falls) continue;
    block += '\n';
    block += entry.name;
    AppendAge(block, match.age);
  }
  if (block == texts[TextId::IsTheBirthday]) block = texts[TextId::NoBirthdays];

  bool anyEvent = false;
  for (const EventEntry& entry : lists.events) {
    const Match match = MatchDecoded(entry.event, date);
    if (!match.falls) continue;
    if (!anyEvent) block += "\n\n" + texts[TextId::OtherEvents];
    anyEvent = true;
    block += '\n';
    block += entry.name;
    AppendAge(block, match.age);
  }
  if (!anyEvent) {
    if (!EndsWith(block, texts[TextId::NoBirthdays])) block += '\n';
    block += '\n' + texts[TextId::NoEvents];
  }

  bool anyNameDay = false;
  for (const EventEntry& entry : lists.namedays) {
    if (!MatchDecoded(entry.event, date).falls) continue;
    if (!anyNameDay) block += "\n\n" + texts[TextId::NameDay];
    anyNameDay = true;
    block += '\n';
    block += entry.name;
  }
  block += '\n';
}

void AppendFollowingDay(std::string& block, const CivilDate& date,
                        const std::vector<EventEntry>& entries) {
  for (const EventEntry& entry : entries) {
    const Match match = MatchDecoded(entry.event, date);
    if (!match.falls) continue;
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "\n%.2d.%.2d: ", entry.event.date.day,
                  entry.event.date.month);
    block += prefix;
    block += entry.name;
    AppendAge(block, match.age);
  }
}

}  // namespace

DayViewText ComposeDayView(Day day, Day today, int32_t daysBefore, const InterfaceTexts& texts,
                           const IniDocument& events) {
  day = std::floor(day);
  DayViewText view;
  const CivilDate date = DateFromDay(day);
  view.heading = Heading(day, today, texts);

  const EventLists lists(events);
  AppendDayShown(view.block, date, texts, lists);
  const int32_t following = std::min(daysBefore, static_cast<int32_t>(kMaxDaysBefore));
  for (int32_t i = 1; i <= following; ++i) {
    const CivilDate next = DateFromDay(day + i);
    AppendFollowingDay(view.block, next, lists.birthdays);
    AppendFollowingDay(view.block, next, lists.events);
  }
  return view;
}

void ShowDay(Day day, const Settings& settings, const InterfaceTexts& texts, const Clock& clock,
             const FileSystem& files, MessageSink& messages, DayViewTarget& target) {
  if (!files.IsRegularFile(settings.EventsPath)) {
    messages.ShowMessage(texts.DataFileMissing(settings.EventsPath));
    return;
  }
  // The whole file is read and parsed once per call; nothing is kept between calls, so an
  // edit shows at the next refresh.
  std::optional<IniFile> file = ReadIniFile(files, settings.EventsPath, settings.AnsiCodePage);
  const Day today = clock.Today();
  if (!file) {
    // As far as the view got before the file failed: the heading and the block's first line.
    target.SetHeading(Heading(day, today, texts));
    target.SetBlock(texts[TextId::IsTheBirthday]);
    messages.ShowMessage(texts.DataError(settings.EventsPath));
    return;
  }
  const DayViewText view = ComposeDayView(day, today, settings.DaysBefore, texts, file->document);
  target.SetHeading(view.heading);
  target.SetBlock(view.block);
  target.ResetButtons();
}

}  // namespace ormind
