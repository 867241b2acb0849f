#pragma once
// The event list: sections Birthday, Events and Nameday of "name=dd.mm.yyyy" lines, and the
// rule that decides whether a line falls on a day and how old it then is.
#include <cstdint>
#include <string_view>

#include "core/day.h"

namespace ormind {

enum class EventSection { Birthday, Events, Nameday };

std::string_view SectionName(EventSection section);

// A value decoded by position: day in characters 1-2, month in 4-5, year in 7-10.
struct EventDate {
  int32_t day = 0;
  int32_t month = 0;
  bool hasYear = false;  // the year is used for the age
  int32_t year = 0;
};

// nullopt-like: `valid` false when the line is skipped (empty value, day or month not a number).
struct DecodedEvent {
  bool valid = false;
  EventDate date;
};
DecodedEvent DecodeEventValue(std::string_view value, EventSection section);

struct Match {
  bool falls = false;
  int32_t age = 0;  // shown only when greater than 0
};
// Whether the line's value falls on `date` and with which age.
Match MatchEntry(std::string_view value, EventSection section, const CivilDate& date);
Match MatchDecoded(const DecodedEvent& event, const CivilDate& date);

bool IsRoundAnniversary(int32_t age);

}  // namespace ormind
