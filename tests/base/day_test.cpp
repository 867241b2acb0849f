#include "base/day.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(Day, KnownDaysMatchTheirSerialNumbers) {
  const struct {
    CivilDate date;
    Day serial;
  } cases[] = {
      {{1899, 12, 30}, 0},     {{1899, 12, 31}, 1},     {{1900, 1, 1}, 2},
      {{1900, 3, 1}, 61},      {{2000, 2, 29}, 36585},  {{2006, 12, 7}, 39058},
      {{2026, 12, 8}, 46364},  {{1, 1, 1}, -693593},    {{9999, 12, 31}, 2958465},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DayFromDate(c.date), c.serial) << c.date.year << "-" << c.date.month;
    EXPECT_EQ(DateFromDay(c.serial), c.date) << c.serial;
  }
}

TEST(Day, RoundTripsEveryDayOverFourCenturies) {
  const Day first = DayFromDate({1800, 1, 1});
  const Day last = DayFromDate({2200, 12, 31});
  CivilDate previous = DateFromDay(first - 1);
  for (Day d = first; d <= last; ++d) {
    const CivilDate date = DateFromDay(d);
    ASSERT_TRUE(IsValidDate(date)) << d;
    ASSERT_EQ(DayFromDate(date), d);
    const bool nextDay = date.year == previous.year && date.month == previous.month &&
                         date.day == previous.day + 1;
    const bool nextMonth = date.day == 1 && (date.month == previous.month + 1 ||
                                             (date.month == 1 && date.year == previous.year + 1));
    ASSERT_TRUE(nextDay || nextMonth) << d;
    previous = date;
  }
}

TEST(Day, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2026));
  EXPECT_TRUE(IsValidDate({2024, 2, 29}));
  EXPECT_FALSE(IsValidDate({2026, 2, 29}));
  EXPECT_FALSE(IsValidDate({2026, 4, 31}));
  EXPECT_FALSE(IsValidDate({2026, 13, 1}));
  EXPECT_FALSE(IsValidDate({2026, 1, 0}));
}

TEST(Day, FractionalPartIsIgnored) {
  EXPECT_EQ(DateFromDay(39058.75), (CivilDate{2006, 12, 7}));
}

}  // namespace
}  // namespace ormind
