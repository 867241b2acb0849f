#include "ui/tray/rules/icon_choice.h"

#include <gtest/gtest.h>

#include <vector>

namespace ormind {
namespace {

// The program icon: 32 x 32 in 16 and 256 colours, 16 x 16 in 16 and 256 colours.
const std::vector<IconImageInfo> kProgramIcon = {
    {32, 32, 4, 1}, {32, 32, 8, 2}, {16, 16, 4, 3}, {16, 16, 8, 4}};

TEST(IconChoice, PicksSizeThenDeepestShowableDepth) {
  struct Case {
    const char* name;
    std::vector<IconImageInfo> images;
    int cx, cy, screenBits, expected;
  };
  const Case cases[] = {
      {"true-colour screen, large icon", kProgramIcon, 32, 32, 32, 1},
      {"256-colour screen", kProgramIcon, 32, 32, 8, 1},
      {"16-colour screen", kProgramIcon, 32, 32, 4, 0},
      {"small icon size", kProgramIcon, 16, 16, 24, 3},
      {"monochrome screen: shallowest", kProgramIcon, 32, 32, 1, 0},
      {"no exact size: nearest", kProgramIcon, 20, 20, 32, 3},
      {"tie on distance: the larger", {{16, 16, 8, 1}, {32, 32, 8, 2}}, 24, 24, 32, 1},
      {"48 asked, 32 nearest", kProgramIcon, 48, 48, 32, 1},
      {"order does not matter", {{32, 32, 8, 9}, {16, 16, 4, 8}, {32, 32, 4, 7}}, 32, 32, 32, 0},
      {"deeper than screen loses", {{32, 32, 32, 1}, {32, 32, 8, 2}}, 32, 32, 16, 1},
      {"empty", {}, 32, 32, 32, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseIconImage(c.images, c.cx, c.cy, c.screenBits), c.expected) << c.name;
}

std::vector<std::uint8_t> GroupBytes(std::vector<std::vector<int>> entries, int type = 1) {
  std::vector<std::uint8_t> b = {0, 0, std::uint8_t(type), 0, std::uint8_t(entries.size()), 0};
  for (const auto& e : entries) {  // width, height, colours, bit count, id
    const std::uint8_t entry[14] = {std::uint8_t(e[0]), std::uint8_t(e[1]), std::uint8_t(e[2]), 0,
                                    1, 0, std::uint8_t(e[3]), 0, 0x28, 1, 0, 0,
                                    std::uint8_t(e[4]), 0};
    b.insert(b.end(), entry, entry + 14);
  }
  return b;
}

TEST(IconChoice, ParsesIconGroups) {
  const auto images = ParseIconGroup(GroupBytes({{32, 32, 16, 4, 1}, {0, 0, 0, 32, 7}, {16, 16, 16, 0, 3}, {16, 16, 0, 0, 4}}));
  ASSERT_EQ(images.size(), 4u);
  EXPECT_EQ(images[0].width, 32);
  EXPECT_EQ(images[0].bitsPerPixel, 4);
  EXPECT_EQ(images[0].resourceId, 1);
  EXPECT_EQ(images[1].width, 256) << "0 means 256";
  EXPECT_EQ(images[1].height, 256);
  EXPECT_EQ(images[1].resourceId, 7);
  EXPECT_EQ(images[2].bitsPerPixel, 4) << "bit count left out: from 16 colours";
  EXPECT_EQ(images[3].bitsPerPixel, 8) << "no bit count, no colour count: 256 or more colours";
}

TEST(IconChoice, RejectsMalformedGroups) {
  auto good = GroupBytes({{32, 32, 16, 4, 1}, {16, 16, 16, 4, 2}});
  EXPECT_EQ(ParseIconGroup(good).size(), 2u);
  auto cut = good;
  cut.pop_back();
  EXPECT_TRUE(ParseIconGroup(cut).empty()) << "count promises more entries than there are";
  EXPECT_TRUE(ParseIconGroup(GroupBytes({{32, 32, 16, 4, 1}}, 2)).empty()) << "cursor group";
  EXPECT_TRUE(ParseIconGroup(std::vector<std::uint8_t>{0, 0, 1}).empty());
  EXPECT_TRUE(ParseIconGroup({}).empty());
}

}  // namespace
}  // namespace ormind
