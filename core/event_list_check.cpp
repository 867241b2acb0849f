#include "core/event_list_check.h"

#include <algorithm>
#include <optional>

#include "core/event_list.h"
#include "core/event_list_reader.h"

namespace ormind {
namespace {

std::optional<SkipReason> EntryProblem(std::string_view value, EventSection section) {
  if (value.empty()) return SkipReason::NoDate;
  const DecodedEvent decoded = DecodeEventValue(value, section);
  if (!decoded.valid) return SkipReason::DateDoesNotDecode;
  // A leap year holds every day and month that can ever match.
  if (!IsValidDate({2000, decoded.date.month, decoded.date.day})) return SkipReason::NeverFalls;
  return std::nullopt;
}

// Lines as the reader hands them over, in raw bytes until the encoding is known.
struct RawLine {
  uint32_t line;
  std::string section;
  std::optional<SkipReason> reason;  // nullopt: an entry whose value waits for the encoding
  bool isEntry;
  EventSection entrySection;
  std::string name, value;  // an entry; other lines are held whole in `name`
};

struct Collector {
  std::vector<RawLine> lines;

  void Entry(EventSection section, std::string_view name, std::string_view value,
             uint32_t line) {
    // Character positions in a value outside ASCII depend on the encoding: decided later.
    const bool waits = HasNonAscii(value);
    const std::optional<SkipReason> reason = waits ? std::nullopt : EntryProblem(value, section);
    if (waits || reason)
      lines.push_back({line, std::string(SectionName(section)), reason, true, section,
                       std::string(name), std::string(value)});
  }
  void Other(OtherLine kind, uint32_t line, std::string_view section, std::string_view text) {
    const SkipReason reason =
        kind == OtherLine::NoEquals ? SkipReason::NoEquals : SkipReason::OutsideSections;
    lines.push_back({line, std::string(section), reason, false, EventSection::Birthday,
                     std::string(text), {}});
  }
};

}  // namespace

struct EventListChecker::State {
  explicit State(int codePage) : reader(codePage, collector) {}
  Collector collector;
  EventListReader<Collector> reader;
};

EventListChecker::EventListChecker(int codePage) : state_(std::make_unique<State>(codePage)) {}
EventListChecker::~EventListChecker() = default;

void EventListChecker::Feed(std::string_view piece) { state_->reader.Feed(piece); }

std::vector<SkippedLine> EventListChecker::Finish() {
  state_->reader.Finish();
  const EventListReaderBase& reader = state_->reader;
  std::vector<SkippedLine> skipped;
  for (RawLine& raw : state_->collector.lines) {
    std::optional<SkipReason> reason = raw.reason;
    if (!reason) reason = EntryProblem(reader.ToUtf8(raw.value), raw.entrySection);
    if (!reason) continue;
    std::string text = reader.ToUtf8(raw.name);
    if (raw.isEntry) {
      text += '=';
      text += reader.ToUtf8(raw.value);
    }
    skipped.push_back({raw.line, reader.ToUtf8(raw.section), *reason, std::move(text)});
  }
  return skipped;
}

std::string_view SkipReasonText(SkipReason reason) {
  switch (reason) {
    case SkipReason::NoEquals: return "no \"=\"";
    case SkipReason::NoDate: return "no date";
    case SkipReason::DateDoesNotDecode:
      return "the date does not decode (dd.mm.yyyy or dd.mm, two digits for day and month)";
    case SkipReason::NeverFalls: return "never falls on any day (day or month out of range)";
    case SkipReason::OutsideSections: return "outside the sections Birthday, Events and Nameday";
  }
  return {};
}

std::string FormatSkippedLine(const SkippedLine& skipped) {
  return std::to_string(skipped.line) + " [" + skipped.section + "] " +
         std::string(SkipReasonText(skipped.reason)) + ": " + skipped.text;
}

}  // namespace ormind
