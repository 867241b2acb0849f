#include "ui/skin/rules/see_through.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(SeeThrough, ColoursOfHostedControlsNeverEqualTheSeeThroughColour) {
  struct Case {
    std::uint32_t wanted, seeThrough, shown;
  } cases[] = {
      {0xFFFFFF, 0xFFFFFF, 0xFEFEFE},  // a white edit background on a white-keyed window
      {0x000000, 0xFFFFFF, 0x000000},  // other colours are kept
      {0xFEFEFE, 0xFFFFFF, 0xFEFEFE},
      {0x000000, 0x000000, 0x010101},  // a black key: one step up
      {0x00FF00, 0x00FF00, 0x01FE01},
      {0xFFFFFFFF, 0xFFFFFF, 0xFEFEFE},  // the unused high byte does not hide the match
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AvoidSeeThrough(c.wanted, c.seeThrough), c.shown) << std::hex << c.wanted;
    EXPECT_NE(AvoidSeeThrough(c.wanted, c.seeThrough), c.seeThrough & 0xFFFFFF);
  }
}

}  // namespace
}  // namespace ormind
