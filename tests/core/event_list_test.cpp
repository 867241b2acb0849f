#include "core/event_list.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

constexpr auto B = EventSection::Birthday;
constexpr auto E = EventSection::Events;
constexpr auto N = EventSection::Nameday;

TEST(EventList, MatchesByDayAndMonthWithTheAgeOfTheYearShown) {
  const struct {
    const char* value;
    EventSection section;
    CivilDate date;
    bool falls;
    int32_t age;
  } cases[] = {
      {"05.03.1970", B, {2007, 3, 5}, true, 37},
      {"05.03.1970", B, {2020, 3, 5}, true, 50},
      {"05.03.1970", B, {2020, 3, 6}, false, 50},
      {"05.03.2010", B, {2010, 3, 5}, true, 0},
      {"05.03.2010", B, {2009, 3, 5}, true, -1},
      {"05.03", B, {2009, 3, 5}, true, 0},          // no year
      {"05.03.19xx", B, {2009, 3, 5}, true, 0},     // year not a number
      {"12.06", E, {2020, 6, 12}, true, 0},
      {"12.06.1990", E, {2020, 6, 12}, true, 30},
      {"12.06.", E, {2020, 6, 12}, true, 0},        // longer than 5, year empty
      {"25.01.1980", N, {2020, 1, 25}, true, 0},    // name-days have no age
      {"5.3.1970", B, {2020, 3, 5}, false, 0},      // one-digit day does not convert
      {"05/03/1970", B, {2020, 3, 5}, true, 50},    // separators are not examined
      {"05- 3-1970", B, {2020, 3, 5}, true, 50},    // a blank before the month digit
      {"$A.03.1970", B, {2020, 3, 10}, true, 50},   // hexadecimal day
      {"32.13.1970", B, {2020, 12, 31}, false, 0},  // never matches
      {"", B, {2020, 3, 5}, false, 0},
      {"29.02.2000", B, {2023, 2, 28}, false, 0},
      {"29.02.2000", B, {2024, 2, 29}, true, 24},
  };
  for (const auto& c : cases) {
    const Match m = MatchEntry(c.value, c.section, c.date);
    EXPECT_EQ(m.falls, c.falls) << c.value;
    if (m.falls) {
      EXPECT_EQ(m.age, c.age) << c.value;
    }
  }
}

TEST(EventList, RoundAnniversaries) {
  for (int32_t age : {5, 10, 50, 100}) EXPECT_TRUE(IsRoundAnniversary(age)) << age;
  for (int32_t age : {-5, 0, 1, 4, 26}) EXPECT_FALSE(IsRoundAnniversary(age)) << age;
}

TEST(EventList, EveryLineIsItsOwnEntryInFileOrder) {
  const IniDocument doc(
      "[Birthday]\nIvan=05.03.1970\nIvan=06.03.1980\nbad=5.3.1970\n[Nameday]\nx=01.01\n"
      "[BIRTHDAY]\nOlga=07.03.1990\n");
  const std::vector<EventEntry> entries = ReadEventSection(doc, B);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "Ivan");
  EXPECT_EQ(entries[0].event.date.day, 5);
  EXPECT_EQ(entries[1].name, "Ivan");
  EXPECT_EQ(entries[1].event.date.day, 6);  // its own date, not the first Ivan's
  EXPECT_EQ(entries[2].name, "Olga");
  EXPECT_TRUE(ReadEventSection(doc, E).empty());
}

}  // namespace
}  // namespace ormind
