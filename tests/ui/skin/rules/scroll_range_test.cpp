#include "ui/skin/rules/scroll_range.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(ScrollAxis, BarAppearsOnlyWhenTheLabelsReachBelowTheArea) {
  const struct {
    int content, area;
    bool visible;
    int maxPosition;
  } cases[] = {
      {60, 169, false, 0}, {169, 169, false, 0}, {170, 169, true, 1}, {400, 169, true, 231},
      {0, 169, false, 0},  {-5, 169, false, 0},  {10, 0, true, 10},
  };
  for (const auto& c : cases) {
    const ScrollAxis s = UpdateScroll({}, c.content, c.area);
    EXPECT_EQ(s.visible, c.visible) << c.content;
    EXPECT_EQ(s.MaxPosition(), c.maxPosition) << c.content;
  }
}

TEST(ScrollAxis, PositionStaysInRangeWhenTheContentChanges) {
  ScrollAxis s = UpdateScroll({}, 400, 169);
  s.position = ScrollBy(s, 1000);
  EXPECT_EQ(s.position, 231);
  // A shorter block pulls the position back; a block that fits resets it and hides the bar.
  s = UpdateScroll(s, 300, 169);
  EXPECT_EQ(s.position, 131);
  s = UpdateScroll(s, 100, 169);
  EXPECT_FALSE(s.visible);
  EXPECT_EQ(s.position, 0);
}

TEST(ScrollAxis, ScrollByClampsAtBothEnds) {
  ScrollAxis s = UpdateScroll({}, 200, 169);
  EXPECT_EQ(ScrollBy(s, -8), 0);
  EXPECT_EQ(ScrollBy(s, 8), 8);
  EXPECT_EQ(ScrollBy(s, 169), 31);
  s.position = 31;
  EXPECT_EQ(ScrollBy(s, -8), 23);
  EXPECT_EQ(ScrollBy(UpdateScroll({}, 100, 169), 50), 0);
}

TEST(ScrollState, EachBarTakesRoomFromTheOtherDirection) {
  // The day area: 361 x 169, bars 17 pixels thick.
  const struct {
    int width, height;
    bool horizontal, vertical;
    int horizontalPage, verticalPage;
  } cases[] = {
      {300, 150, false, false, 361, 169},  // fits
      {300, 400, false, true, 344, 169},   // tall
      {350, 400, true, true, 344, 152},    // tall, and too wide once the vertical bar is there
      {500, 100, true, false, 361, 152},   // wide
      {500, 160, true, true, 344, 152},    // wide, and too tall once the horizontal bar is there
      {361, 169, false, false, 361, 169},  // exactly the area
  };
  for (const auto& c : cases) {
    const ScrollState s = UpdateScrolls({}, c.width, c.height, 361, 169, 17, 17);
    EXPECT_EQ(s.horizontal.visible, c.horizontal) << c.width << "x" << c.height;
    EXPECT_EQ(s.vertical.visible, c.vertical) << c.width << "x" << c.height;
    EXPECT_EQ(s.horizontal.page, c.horizontalPage) << c.width << "x" << c.height;
    EXPECT_EQ(s.vertical.page, c.verticalPage) << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace ormind
