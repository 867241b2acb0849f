#include "core/event_list.h"

#include <algorithm>

#include "base/integer_text.h"

namespace ormind {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Characters [first, first + count) of a UTF-8 value, 1-based, as far as the value reaches.
std::string_view Field(std::string_view value, size_t first, size_t count) {
  const size_t reach = std::min(value.size(), first - 1 + count);
  size_t ascii = 0;
  while (ascii < reach && static_cast<unsigned char>(value[ascii]) < 0x80) ++ascii;
  if (ascii == reach) return first > value.size() ? std::string_view() : value.substr(first - 1, count);
  size_t begin = 0, chars = 1;
  for (; begin < value.size() && chars < first; ++chars)
    do ++begin; while (begin < value.size() && IsContinuation(value[begin]));
  if (begin >= value.size()) return {};
  size_t end = begin;
  for (size_t n = 0; end < value.size() && n < count; ++n)
    do ++end; while (end < value.size() && IsContinuation(value[end]));
  return value.substr(begin, end - begin);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A field of a date: plain digits (the usual case) directly, anything else through the full
// integer conversion.
std::optional<int32_t> ParseField(std::string_view field) {
  if (field.size() == 2 && IsDigit(field[0]) && IsDigit(field[1]))
    return (field[0] - '0') * 10 + (field[1] - '0');
  if (field.size() == 4 && IsDigit(field[0]) && IsDigit(field[1]) && IsDigit(field[2]) &&
      IsDigit(field[3]))
    return ((field[0] - '0') * 10 + (field[1] - '0')) * 100 + (field[2] - '0') * 10 + (field[3] - '0');
  return ParseInteger(field);
}

// The year field: one or two digits (after any blanks) are a year of 1930-2029, as dates
// with short years are usually read; anything longer stands as written.
std::optional<int32_t> ParseYear(std::string_view field) {
  std::string_view digits = field;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  if (!digits.empty() && digits.size() <= 2 && std::all_of(digits.begin(), digits.end(), IsDigit)) {
    const int32_t shortYear = *ParseInteger(digits);
    return shortYear < 30 ? 2000 + shortYear : 1900 + shortYear;
  }
  return ParseField(field);
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
  const std::optional<int32_t> day = ParseField(Field(value, 1, 2));
  const std::optional<int32_t> month = ParseField(Field(value, 4, 2));
  if (!day || !month) return decoded;
  decoded.valid = true;
  decoded.date.day = *day;
  decoded.date.month = *month;
  const bool yearRead = section == EventSection::Birthday ||
                        (section == EventSection::Events && !Field(value, 6, 1).empty());
  if (yearRead) {
    // A year that is not a number, or is 0, leaves the age at 0.
    if (const std::optional<int32_t> year = ParseYear(Field(value, 7, 4)); year && *year != 0) {
      decoded.date.hasYear = true;
      decoded.date.year = *year;
    }
  }
  return decoded;
}

Feb29Rule ParseFeb29Rule(std::string_view text) {
  if (text == "01.03") return Feb29Rule::Mar1;
  if (text == "29.02") return Feb29Rule::LeapYearsOnly;
  return Feb29Rule::Feb28;
}

bool StandsInForFeb29(const CivilDate& date, Feb29Rule rule) {
  if (IsLeapYear(date.year)) return false;
  switch (rule) {
    case Feb29Rule::Feb28: return date.month == 2 && date.day == 28;
    case Feb29Rule::Mar1: return date.month == 3 && date.day == 1;
    case Feb29Rule::LeapYearsOnly: return false;
  }
  return false;
}

Match MatchDecoded(const DecodedEvent& event, const CivilDate& date, Feb29Rule rule) {
  Match match;
  if (!event.valid) return match;
  match.falls = (event.date.day == date.day && event.date.month == date.month) ||
                (event.date.day == 29 && event.date.month == 2 && StandsInForFeb29(date, rule));
  if (event.date.hasYear) match.age = date.year - event.date.year;
  return match;
}

Match MatchEntry(std::string_view value, EventSection section, const CivilDate& date,
                 Feb29Rule rule) {
  return MatchDecoded(DecodeEventValue(value, section), date, rule);
}

bool IsRoundAnniversary(int32_t age) { return age > 0 && age % 5 == 0; }

}  // namespace ormind
