#include "ui/scroll_range.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(VerticalScroll, BarAppearsOnlyWhenTheLabelsReachBelowTheArea) {
  const struct {
    int content, area;
    bool visible;
    int maxPosition;
  } cases[] = {
      {60, 169, false, 0}, {169, 169, false, 0}, {170, 169, true, 1}, {400, 169, true, 231},
      {0, 169, false, 0},  {-5, 169, false, 0},  {10, 0, true, 10},
  };
  for (const auto& c : cases) {
    const VerticalScroll s = UpdateScroll({}, c.content, c.area);
    EXPECT_EQ(s.visible, c.visible) << c.content;
    EXPECT_EQ(s.MaxPosition(), c.maxPosition) << c.content;
  }
}

TEST(VerticalScroll, PositionStaysInRangeWhenTheContentChanges) {
  VerticalScroll s = UpdateScroll({}, 400, 169);
  s.position = ScrollBy(s, 1000);
  EXPECT_EQ(s.position, 231);
  // A shorter block pulls the position back; a block that fits resets it and hides the bar.
  s = UpdateScroll(s, 300, 169);
  EXPECT_EQ(s.position, 131);
  s = UpdateScroll(s, 100, 169);
  EXPECT_FALSE(s.visible);
  EXPECT_EQ(s.position, 0);
}

TEST(VerticalScroll, ScrollByClampsAtBothEnds) {
  VerticalScroll s = UpdateScroll({}, 200, 169);
  EXPECT_EQ(ScrollBy(s, -8), 0);
  EXPECT_EQ(ScrollBy(s, 8), 8);
  EXPECT_EQ(ScrollBy(s, 169), 31);
  s.position = 31;
  EXPECT_EQ(ScrollBy(s, -8), 23);
  EXPECT_EQ(ScrollBy(UpdateScroll({}, 100, 169), 50), 0);
}

}  // namespace
}  // namespace ormind
