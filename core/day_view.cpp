#include "core/day_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/event_list.h"
#include "core/event_list_reader.h"

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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Hit {
  std::string name;  // raw bytes until Finish, then UTF-8
  int32_t day, month, age;
  uint32_t order;  // place in the file
};

// What falls on each day of the view (offset 0 is the day shown), per section, in file order.
// The list is read in one pass: each line's day and month lead straight to the days of the
// view they fall on (a day and month recur at most twice within 367 days). A value with
// characters outside ASCII waits until the file's encoding is known, since its character
// positions depend on it.
class ViewMatches {
 public:
  ViewMatches(Day first, int32_t following, Feb29Rule feb29)
      : days_(static_cast<size_t>(following) + 1), feb29_(feb29) {
    for (auto& slots : slots_) slots = {-1, -1};
    for (size_t i = 0; i < days_.size(); ++i) {
      const CivilDate date = DateFromDay(first + static_cast<Day>(i));
      days_[i].date = date;
      Register(Slot(date.month, date.day), i);
      // The day standing in for 29 February is also where 29 February entries land; within
      // 367 days that slot still holds at most two days.
      if (StandsInForFeb29(date, feb29)) Register(Slot(2, 29), i);
    }
  }

  // Most lines have plain digits for day and month, and most fall on none of the days: those
  // are turned down before the rest of the value is decoded (by the reader, before the line
  // is even classified).
  bool PassesOver(std::string_view value) const {
    if (value.size() < 5 || !IsDigit(value[0]) || !IsDigit(value[1]) || !IsDigit(value[3]) ||
        !IsDigit(value[4]))
      return false;
    const int day = (value[0] - '0') * 10 + (value[1] - '0');
    const int month = (value[3] - '0') * 10 + (value[4] - '0');
    return month > 12 || day > 31 || slots_[Slot(month, day)][0] < 0;
  }

  // Called by the reader for every entry line it has not passed over.
  void Entry(EventSection section, std::string_view name, std::string_view value, uint32_t order) {
    if (PassesOver(value)) return;
    if (HasNonAscii(value)) {
      waiting_.push_back({section, std::string(name), std::string(value), order});
      return;
    }
    AddDecoded(section, name, DecodeEventValue(value, section), order);
  }

  // Once the encoding is known: the waiting values, and every name as UTF-8.
  void Finish(const EventListReaderBase& reader) {
    for (const Waiting& w : waiting_)
      AddDecoded(w.section, w.name, DecodeEventValue(reader.ToUtf8(w.value), w.section), w.order);
    for (ViewDay& day : days_) {
      for (std::vector<Hit>& hits : day.hits) {
        if (!waiting_.empty())
          std::stable_sort(hits.begin(), hits.end(),
                           [](const Hit& a, const Hit& b) { return a.order < b.order; });
        for (Hit& hit : hits) hit.name = reader.ToUtf8(hit.name);
      }
    }
  }

  const std::vector<Hit>& Hits(size_t offset, EventSection section) const {
    return days_[offset].hits[static_cast<size_t>(section)];
  }
  size_t DayCount() const { return days_.size(); }

 private:
  struct ViewDay {
    CivilDate date;
    std::array<std::vector<Hit>, 3> hits;
  };
  struct Waiting {
    EventSection section;
    std::string name, value;
    uint32_t order;
  };

  static size_t Slot(int month, int day) { return static_cast<size_t>(month * 32 + day); }
  void Register(size_t slot, size_t offset) {
    auto& slots = slots_[slot];
    slots[slots[0] < 0 ? 0 : 1] = static_cast<int16_t>(offset);
  }

  void AddDecoded(EventSection section, std::string_view name, const DecodedEvent& event,
                  uint32_t order) {
    if (!event.valid || event.date.month < 1 || event.date.month > 12 || event.date.day < 1 ||
        event.date.day > 31)
      return;
    for (int16_t offset : slots_[Slot(event.date.month, event.date.day)]) {
      // Name-days are listed for the day shown only.
      if (offset < 0 || (offset > 0 && section == EventSection::Nameday)) continue;
      const CivilDate& date = days_[offset].date;
      const Match match = MatchDecoded(event, date, feb29_);
      // Listed under the day it falls on, which differs from the entry's own date only for
      // 29 February in a year without it.
      days_[offset].hits[static_cast<size_t>(section)].push_back(
          {std::string(name), date.day, date.month, match.age, order});
    }
  }

  std::vector<ViewDay> days_;
  Feb29Rule feb29_;
  std::array<std::array<int16_t, 2>, 13 * 32> slots_{};
  std::vector<Waiting> waiting_;
};

std::string EntryLine(const Hit& hit, bool withAge) {
  std::string line = hit.name;
  if (withAge) AppendAge(line, hit.age);
  return line;
}

std::vector<std::string> EntryLines(const std::vector<Hit>& hits, bool withAge) {
  std::vector<std::string> lines;
  lines.reserve(hits.size());
  for (const Hit& hit : hits) lines.push_back(EntryLine(hit, withAge));
  return lines;
}

DayShownLines LinesOfDayShown(const ViewMatches& view) {
  DayShownLines shown;
  shown.birthdays = EntryLines(view.Hits(0, EventSection::Birthday), true);
  shown.events = EntryLines(view.Hits(0, EventSection::Events), true);
  shown.namedays = EntryLines(view.Hits(0, EventSection::Nameday), false);
  return shown;
}

void AppendLines(std::string& block, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    block += '\n';
    block += line;
  }
}

void AppendDayShown(std::string& block, const InterfaceTexts& texts, const DayShownLines& shown) {
  block = texts[TextId::IsTheBirthday];
  AppendLines(block, shown.birthdays);
  if (block == texts[TextId::IsTheBirthday]) block = texts[TextId::NoBirthdays];

  if (!shown.events.empty()) block += "\n\n" + texts[TextId::OtherEvents];
  AppendLines(block, shown.events);
  if (shown.events.empty()) {
    if (!EndsWith(block, texts[TextId::NoBirthdays])) block += '\n';
    block += '\n' + texts[TextId::NoEvents];
  }

  if (!shown.namedays.empty()) block += "\n\n" + texts[TextId::NameDay];
  AppendLines(block, shown.namedays);
  block += '\n';
}

void AppendFollowingDay(std::string& block, const std::vector<Hit>& hits) {
  for (const Hit& hit : hits) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "\n%.2d.%.2d: ", hit.day, hit.month);
    block += prefix;
    block += hit.name;
    AppendAge(block, hit.age);
  }
}

}  // namespace

namespace {

// Reads the list piece by piece into the matches of the view.
class DayViewBuilder {
 public:
  DayViewBuilder(Day day, int32_t daysBefore, Feb29Rule feb29, int codePage)
      : day_(std::floor(day)),
        matches_(day_, std::clamp(daysBefore, 0, static_cast<int32_t>(kMaxDaysBefore)), feb29),
        reader_(codePage, matches_) {}

  void Feed(std::string_view piece) { reader_.Feed(piece); }

  DayViewText Finish(Day today, const InterfaceTexts& texts) {
    reader_.Finish();
    matches_.Finish(reader_);
    DayViewText text;
    text.heading = Heading(day_, today, texts);
    text.shown = LinesOfDayShown(matches_);
    AppendDayShown(text.block, texts, text.shown);
    for (size_t i = 1; i < matches_.DayCount(); ++i) {
      AppendFollowingDay(text.block, matches_.Hits(i, EventSection::Birthday));
      AppendFollowingDay(text.block, matches_.Hits(i, EventSection::Events));
    }
    return text;
  }

 private:
  Day day_;
  ViewMatches matches_;
  EventListReader<ViewMatches> reader_;
};

}  // namespace

DayViewText ComposeDayView(Day day, Day today, int32_t daysBefore, Feb29Rule feb29,
                           const InterfaceTexts& texts, std::string_view eventList, int codePage) {
  DayViewBuilder builder(day, daysBefore, feb29, codePage);
  builder.Feed(eventList);
  return builder.Finish(today, texts);
}

DayViewReading ReadDayView(Day day, Day today, const Settings& settings,
                           const InterfaceTexts& texts, const FileSystem& files) {
  if (!files.IsRegularFile(settings.EventsPath)) return {DayViewStatus::FileMissing, {}};
  // The file is read and scanned once per call, piece by piece; nothing is kept between
  // calls, so an edit shows at the next refresh.
  DayViewBuilder builder(day, settings.DaysBefore, settings.Feb29, settings.AnsiCodePage);
  const bool read = files.ReadPieces(
      settings.EventsPath, [&](std::string_view piece) { builder.Feed(piece); });
  if (!read) return {DayViewStatus::Unreadable, {}};
  return {DayViewStatus::Read, builder.Finish(today, texts)};
}

void ShowDay(Day day, const Settings& settings, const InterfaceTexts& texts, const Clock& clock,
             const FileSystem& files, MessageSink& messages, DayViewTarget& target) {
  // The heading comes first, so that the day shown is always visible, even when the list
  // cannot be read; the block then carries the message too.
  const Day today = clock.Today();
  target.SetHeading(Heading(day, today, texts));
  const auto fail = [&](const std::string& message) {
    target.SetBlock(message);
    messages.ShowMessage(message);
  };
  const DayViewReading reading = ReadDayView(day, today, settings, texts, files);
  switch (reading.status) {
    case DayViewStatus::FileMissing:
      return fail(texts.DataFileMissing(settings.EventsPath));
    case DayViewStatus::Unreadable:
      return fail(texts.DataError(settings.EventsPath));
    case DayViewStatus::Read:
      break;
  }
  target.SetBlock(reading.text.block);
  target.ResetButtons();
}

}  // namespace ormind
