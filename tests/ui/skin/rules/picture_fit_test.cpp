#include "ui/skin/rules/picture_fit.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(DestinationRect, FollowsStretchProportionalAndCenter) {
  constexpr PictureFit kPlain{false, false, false};
  constexpr PictureFit kStretch{true, false, false};
  constexpr PictureFit kButton{true, true, false};
  constexpr PictureFit kShrinkOnly{false, true, false};
  constexpr PictureFit kCentred{false, false, true};
  constexpr PictureFit kFitCentred{true, true, true};
  const struct {
    int w, h, cw, ch;
    PictureFit fit;
    Bounds expected;
  } cases[] = {
      // The face is drawn 1:1; a button fills its square box at every size it takes.
      {600, 383, 600, 383, kPlain, {0, 0, 600, 383}},
      {32, 32, 32, 32, kButton, {0, 0, 32, 32}},
      {32, 32, 33, 33, kButton, {0, 0, 33, 33}},
      {32, 32, 36, 36, kButton, {0, 0, 36, 36}},
      // Without Stretch the picture keeps its size, larger or smaller than the control.
      {50, 20, 30, 30, kPlain, {0, 0, 50, 20}},
      {10, 10, 30, 30, kPlain, {0, 0, 10, 10}},
      // Stretch alone fills the control whatever the shape.
      {50, 20, 30, 30, kStretch, {0, 0, 30, 30}},
      // Proportional, wide picture: full width, height truncated; too tall then: full height.
      {100, 30, 40, 40, kButton, {0, 0, 40, 12}},
      {100, 60, 40, 10, kButton, {0, 0, 16, 10}},
      // Proportional, tall picture: full height, width truncated; too wide then: full width.
      {30, 100, 40, 40, kButton, {0, 0, 12, 40}},
      {60, 100, 10, 40, kButton, {0, 0, 10, 16}},
      // Proportional without Stretch only shrinks pictures larger than the control.
      {10, 20, 40, 40, kShrinkOnly, {0, 0, 10, 20}},
      {80, 20, 40, 40, kShrinkOnly, {0, 0, 40, 10}},
      // An empty picture with Proportional falls back to filling the control.
      {0, 0, 40, 30, kButton, {0, 0, 40, 30}},
      // Center moves the rectangle by half the difference (toward zero).
      {10, 10, 31, 31, kCentred, {10, 10, 10, 10}},
      {50, 20, 30, 30, kCentred, {-10, 5, 50, 20}},
      {100, 30, 40, 40, kFitCentred, {0, 14, 40, 12}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DestinationRect(c.w, c.h, c.cw, c.ch, c.fit), c.expected)
        << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch;
  }
}

}  // namespace
}  // namespace ormind
