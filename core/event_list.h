#pragma once
// The event list: sections Birthday, Events and Nameday of "name=dd.mm.yyyy" lines, and the
// rule that decides whether a line falls on a day and how old it then is.
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/day.h"

namespace ormind {

enum class EventSection { Birthday, Events, Nameday };

std::string_view SectionName(EventSection section);

// A value decoded by position: day in characters 1-2, month in 4-5, year in 7-10. A year
// written with one or two digits is taken into 1930-2029; a year of 0 is no year.
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

// Where an entry dated 29 February falls in a year without that day (settings key Feb29).
enum class Feb29Rule { Feb28, Mar1, LeapYearsOnly };

// "28.02", "01.03" or "29.02"; anything else is the default, Feb28.
Feb29Rule ParseFeb29Rule(std::string_view text);

// Whether `date` is the day that stands in for 29 February in a year without it.
bool StandsInForFeb29(const CivilDate& date, Feb29Rule rule);

struct Match {
  bool falls = false;
  int32_t age = 0;  // shown only when greater than 0
};
// Whether the line's value falls on `date` and with which age.
Match MatchEntry(std::string_view value, EventSection section, const CivilDate& date,
                 Feb29Rule rule = Feb29Rule::Feb28);
Match MatchDecoded(const DecodedEvent& event, const CivilDate& date,
                   Feb29Rule rule = Feb29Rule::Feb28);

bool IsRoundAnniversary(int32_t age);

}  // namespace ormind
