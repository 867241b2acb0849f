#include "ui/skin/rules/display_scale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/skin/rules/button_row.h"

namespace ormind {
namespace {

TEST(DisplayScale, LayoutLengthsAtEveryScaleRoundToTheNearestPixel) {
  struct Case { int dpi, layout, expected; };
  const Case cases[] = {
      {96, 600, 600},  {96, 383, 383},   {96, 1, 1},      // the layout as it is
      {144, 600, 900}, {144, 383, 575},  {144, 446, 669}, {144, 336, 504},  // 574.5 goes up
      {120, 383, 479}, {120, 446, 558},  {120, 2, 3},     // 478.75, 557.5, 2.5
      {192, 383, 766}, {168, 32, 56},    {110, 33, 38},   // 37.8
      {144, -2, -3},   {120, -1, -1},    {144, 0, 0},     // lengths upwards keep their size
      {0, 600, 600},   {-5, 383, 383},                    // no DPI known: the layout's own
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayScale(c.dpi).Length(c.layout), c.expected) << c.dpi << " " << c.layout;
  }
}

TEST(DisplayScale, RectanglesThatTouchStillTouch) {
  struct Case { int dpi; Bounds layout, expected; };
  const Case cases[] = {
      {96, {24, 80, 361, 169}, {24, 80, 361, 169}},
      {144, {24, 80, 361, 169}, {36, 120, 542, 254}},  // right 577.5 -> 578, bottom 373.5 -> 374
      {120, {32, 40, 241, 20}, {40, 50, 301, 25}},
      {144, {0, 0, 600, 383}, {0, 0, 900, 575}},
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayScale(c.dpi).Rect(c.layout), c.expected) << c.dpi;
  // Two fields one above the other with no gap: the gap stays closed at an odd scale.
  const DisplayScale odd(125);
  const Bounds upper = odd.Rect({32, 40, 241, 21}), lower = odd.Rect({32, 61, 241, 20});
  EXPECT_EQ(upper.Bottom(), lower.top);
}

TEST(DisplayScale, PicturesComeFromTheNearestRenderingAtOrAboveTheScale) {
  // Best first: the nearest rendering at or above the scale, larger ones next (drawn down),
  // smaller ones last (drawn up), for a picture that lacks some renderings.
  struct Case { int dpi; std::vector<int> order; };
  const Case cases[] = {
      {96, {100, 125, 150, 200}}, {72, {100, 125, 150, 200}},  {97, {125, 150, 200, 100}},
      {120, {125, 150, 200, 100}}, {121, {150, 200, 125, 100}}, {144, {150, 200, 125, 100}},
      {168, {200, 150, 125, 100}}, {192, {200, 150, 125, 100}},
      {288, {200, 150, 125, 100}},  // beyond the largest: drawn up
  };
  for (const Case& c : cases) {
    std::vector<std::wstring> names;
    for (const int percent : c.order) {
      names.push_back(percent == 100 ? L"TFORM1_IMAGE1" : L"TFORM1_IMAGE1_" + std::to_wstring(percent));
    }
    const DisplayScale scale(c.dpi);
    EXPECT_EQ(scale.RenderingPercent(), c.order.front()) << c.dpi;
    EXPECT_EQ(scale.RenderingNames(L"TFORM1_IMAGE1"), names) << c.dpi;
  }
}

TEST(DisplayScale, ButtonRowsScaleEveryLengthAndStayTheSameAt96) {
  struct Case { int dpi; int number; Bounds resting, hovered, lifted, dropped; };
  const Case cases[] = {
      {96, 1, {24, 252, 32, 32}, {22, 250, 36, 36}, {24, 250, 32, 32}, {24, 252, 33, 33}},
      {144, 1, {36, 378, 48, 48}, {33, 375, 54, 54}, {36, 375, 48, 48}, {36, 378, 50, 50}},
      {144, 7, {396, 378, 48, 48}, {393, 375, 54, 54}, {396, 375, 48, 48}, {396, 378, 50, 50}},
      {192, 2, {128, 504, 64, 64}, {124, 500, 72, 72}, {128, 500, 64, 64}, {128, 504, 66, 66}},
  };
  for (const Case& c : cases) {
    const ButtonRow row = kMainButtonRow.ScaledBy(DisplayScale(c.dpi));
    EXPECT_EQ(row.Resting(c.number), c.resting) << c.dpi;
    EXPECT_EQ(row.Hovered(c.number), c.hovered) << c.dpi;
    EXPECT_EQ(row.Lifted(c.resting), c.lifted) << c.dpi;
    EXPECT_EQ(row.Dropped(row.Lifted(c.resting)), c.dropped) << c.dpi;
  }
  // The editor's enlarged button keeps its left edge at every scale.
  const ButtonRow editor = kEditorButtonRow.ScaledBy(DisplayScale(144));
  EXPECT_EQ(editor.Resting(2), (Bounds{576, 54, 48, 48}));
  EXPECT_EQ(editor.Hovered(2), (Bounds{576, 51, 54, 54}));
}

}  // namespace
}  // namespace ormind
