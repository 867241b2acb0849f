#include "base/wheel_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace ormind {
namespace {

TEST(WheelAccumulator, SmallDeltasAddUpToWholeLines) {
  const struct {
    const char* what;
    std::vector<int> deltas;
    unsigned linesPerNotch;
    std::vector<int> lines;  // returned after each delta
  } cases[] = {
      {"one notch, 3 lines", {120}, 3, {3}},
      {"one notch back", {-120}, 3, {-3}},
      {"touchpad thirds make one notch", {40, 40, 40}, 1, {0, 0, 1}},
      {"touchpad thirds, 3 lines", {40, 40, 40}, 3, {1, 1, 1}},
      {"small steps keep the remainder", {8, 8, 8, 8, 8}, 3, {0, 0, 0, 0, 1}},
      {"turning back drops the partial turn", {100, -30, -90}, 1, {0, 0, -1}},
      {"wheel scrolling off", {120, 120}, 0, {0, 0}},
      {"a page per notch", {120, 60, 60}, kWheelScrollsPage, {20, 10, 10}},
  };
  for (const auto& c : cases) {
    WheelAccumulator wheel;
    std::vector<int> got;
    for (const int delta : c.deltas) got.push_back(wheel.Add(delta, c.linesPerNotch, 20));
    EXPECT_EQ(got, c.lines) << c.what;
  }
}

}  // namespace
}  // namespace ormind
