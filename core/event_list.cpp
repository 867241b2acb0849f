#include "core/event_list.h"

#include "core/integer_text.h"

namespace ormind {
namespace {

// Characters [first, first + count) of the value, 1-based, as far as the value reaches.
std::string_view Field(std::string_view value, size_t first, size_t count) {
  if (value.size() < first) return {};
  return value.substr(first - 1, count);
}

}  // namespace

std::string_view SectionName(EventSection section) {
  switch (section) {
    case EventSection::Birthday: return "Birthday";
    case EventSection::Events: return "Events";
    case EventSection::Nameday: return "Nameday";
  }
  return {};
}

DecodedEvent DecodeEventValue(std::string_view value, EventSection section) {
  DecodedEvent decoded;
  if (value.empty()) return decoded;
  const std::optional<int32_t> day = ParseInteger(Field(value, 1, 2));
  const std::optional<int32_t> month = ParseInteger(Field(value, 4, 2));
  if (!day || !month) return decoded;
  decoded.valid = true;
  decoded.date.day = *day;
  decoded.date.month = *month;
  const bool yearRead = section == EventSection::Birthday ||
                        (section == EventSection::Events && value.size() > 5);
  if (yearRead) {
    // A year that is not a number leaves the age at 0.
    if (const std::optional<int32_t> year = ParseInteger(Field(value, 7, 4))) {
      decoded.date.hasYear = true;
      decoded.date.year = *year;
    }
  }
  return decoded;
}

Match MatchDecoded(const DecodedEvent& event, const CivilDate& date) {
  Match match;
  if (!event.valid) return match;
  match.falls = event.date.day == date.day && event.date.month == date.month;
  if (event.date.hasYear) match.age = date.year - event.date.year;
  return match;
}

Match MatchEntry(std::string_view value, EventSection section, const CivilDate& date) {
  return MatchDecoded(DecodeEventValue(value, section), date);
}

bool IsRoundAnniversary(int32_t age) { return age > 0 && age % 5 == 0; }

std::vector<EventEntry> ReadEventSection(const IniDocument& document, EventSection section) {
  std::vector<EventEntry> entries;
  document.ForEachEntry(SectionName(section), [&](const IniEntry& entry) {
    const DecodedEvent event = DecodeEventValue(entry.value, section);
    if (event.valid) entries.push_back({entry.name, event});
  });
  return entries;
}

}  // namespace ormind
