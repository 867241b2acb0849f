#include "ui/tray/rules/date_change.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

using std::chrono::milliseconds;

TEST(DateChange, NextLookIsJustPastMidnightAndWithinTheHour) {
  const struct {
    int hour, minute, second, millisecond;
    milliseconds wait;
  } cases[] = {
      {23, 59, 50, 0, milliseconds(10'500)},
      {23, 59, 59, 999, milliseconds(501)},
      {23, 30, 0, 0, milliseconds(30 * 60'000 + 500)},
      {23, 0, 0, 500, milliseconds(3'600'000)},  // an hour and a moment away: the hour
      {12, 0, 0, 0, milliseconds(3'600'000)},
      {0, 0, 0, 0, milliseconds(3'600'000)},
      {0, 0, 0, 1, milliseconds(3'600'000)},
      {23, 59, 60, 0, milliseconds(500)},  // a leap second reads as midnight already
  };
  for (const auto& c : cases)
    EXPECT_EQ(UntilNextDateCheck(c.hour, c.minute, c.second, c.millisecond), c.wait)
        << c.hour << ":" << c.minute << ":" << c.second << "." << c.millisecond;
}

TEST(DateChange, EachDateOnceAndEachDayAnnouncedOnce) {
  DayAnnouncements days;
  // (date read, changed?) in the order a run might see them: start, a timer before midnight,
  // midnight, the clock set back a day, forward again.
  const struct {
    Day today;
    bool changed;
  } looks[] = {{100, true}, {100, false}, {101, true}, {101, false}, {100, true}, {101, true}};
  for (const auto& look : looks) EXPECT_EQ(days.DateChanged(look.today), look.changed) << look.today;

  EXPECT_FALSE(days.Announced(100));
  days.MarkAnnounced(100);
  EXPECT_TRUE(days.Announced(100));
  EXPECT_FALSE(days.Announced(101));
  EXPECT_TRUE(DayAnnouncements().DateChanged(0)) << "the first look counts, even on day 0";
  days.LookAgain();
  EXPECT_TRUE(days.DateChanged(101)) << "a day that could not be looked at is looked at again";
  EXPECT_FALSE(days.DateChanged(101));
}

}  // namespace
}  // namespace ormind
