// Wheel deltas become whole lines; what is left over counts towards the next message.
#include <gtest/gtest.h>

#include <vector>

#include "report/rpt_wheel_scroll.h"

namespace ormind {
namespace {

TEST(WheelScroll, KeepsThePartOfANotchThatMadeNoLineYet) {
  struct Row {
    const char* what;
    int32_t linesPerNotch;
    std::vector<int32_t> deltas;
    std::vector<int32_t> lines;  // after each delta
  };
  const std::vector<Row> rows = {
      {"whole notches", 3, {120, -120, -240}, {-3, 3, 6}},
      {"fine steps add up", 3, {30, 30, 30, 30}, {0, -1, -1, -1}},
      {"one line a notch", 1, {60, 60, 60}, {0, -1, 0}},
      {"a turn back starts afresh", 3, {30, -30, -30}, {0, 0, 1}},
      {"a large notch count", 100, {120}, {-100}},
  };
  for (const Row& row : rows) {
    TRptWheelScroll wheel;
    for (size_t i = 0; i < row.deltas.size(); ++i) {
      EXPECT_EQ(wheel.Lines(row.deltas[i], row.linesPerNotch), row.lines[i])
          << row.what << ", delta " << i;
    }
  }
}

}  // namespace
}  // namespace ormind
