#include "ui/skin/rules/see_through_region.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace ormind {
namespace {

constexpr std::uint32_t kClear = 0xFFFFFF;

// A picture from rows of characters: '.' is see-through white, anything else a face colour.
struct Mask {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};
Mask FromRows(const std::vector<std::string>& rows) {
  Mask mask{rows.empty() ? 0 : int(rows[0].size()), int(rows.size()), {}};
  for (const std::string& row : rows)
    for (char c : row) mask.pixels.push_back(c == '.' ? kClear : 0x3060C0);
  return mask;
}

// Paints the rectangles back into a mask; a pixel covered twice is marked '2'.
std::vector<std::string> Paint(const std::vector<Bounds>& rectangles, int width, int height) {
  std::vector<std::string> rows(height, std::string(width, '.'));
  for (const Bounds& r : rectangles)
    for (int y = r.top; y < r.Bottom(); ++y)
      for (int x = r.left; x < r.Right(); ++x) rows.at(y).at(x) = rows[y][x] == '.' ? '#' : '2';
  return rows;
}

TEST(SeeThroughRegion, RectanglesCoverExactlyTheFaceInBands) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    std::vector<Bounds> expected;
  } cases[] = {
      {"all see-through", {"...", "..."}, {}},
      {"all face", {"###", "###"}, {{0, 0, 3, 2}}},
      {"one pixel wide and high", {"#"}, {{0, 0, 1, 1}}},
      {"a hole in the middle", {"###", "#.#", "###"},
       {{0, 0, 3, 1}, {0, 1, 1, 1}, {2, 1, 1, 1}, {0, 2, 3, 1}}},
      {"rounded corners, repeated rows merged",
       {".##.", "####", "####", "####", ".##."},
       {{1, 0, 2, 1}, {0, 1, 4, 3}, {1, 4, 2, 1}}},
      {"runs reaching both edges", {"#..#", "#..#"}, {{0, 0, 1, 2}, {3, 0, 1, 2}}},
      {"equal rows apart are separate bands", {"##.", "...", "##."},
       {{0, 0, 2, 1}, {0, 2, 2, 1}}},
      {"clear rows at the top and bottom", {"....", ".##.", ".##.", "...."}, {{1, 1, 2, 2}}},
      {"a row that differs only in its second run", {"#.#..", "#..#."},
       {{0, 0, 1, 1}, {2, 0, 1, 1}, {0, 1, 1, 1}, {3, 1, 1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Mask mask = FromRows(c.rows);
    const std::vector<Bounds> got = OpaqueRectangles(mask.pixels, mask.width, mask.height, kClear);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(Paint(got, mask.width, mask.height), c.rows);
  }
}

// A face of an odd size with a disc cut out of it and high bytes in its pixels (a 32-bit
// picture's unused byte): painted back, the rectangles give the picture's own outline, in the
// order a region is stored (bands top to bottom, left to right within a band, each band
// different from the one above).
TEST(SeeThroughRegion, AnyPictureSizeGivesItsOwnOutlineInRegionOrder) {
  const int width = 37, height = 29;
  std::vector<std::string> rows(height, std::string(width, '#'));
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool hole = (x - 20) * (x - 20) + (y - 13) * (y - 13) < 64 || x + y < 6;
      if (hole) rows[y][x] = '.';
      pixels.push_back(hole ? 0xFF000000 | kClear : 0xFF102030);
    }
  const std::vector<Bounds> got = OpaqueRectangles(pixels, width, height, kClear);
  EXPECT_EQ(Paint(got, width, height), rows);
  for (std::size_t i = 1; i < got.size(); ++i) {
    const Bounds &a = got[i - 1], &b = got[i];
    const bool sameBand = a.top == b.top;
    EXPECT_TRUE(sameBand ? a.Bottom() == b.Bottom() && a.Right() < b.left : b.top == a.Bottom())
        << i;
  }
  EXPECT_LT(got.size(), std::size_t(2 * height)) << "rows that repeat share rectangles";
}

TEST(SeeThroughRegion, TooFewPixelsForTheSizeIsAnError) {
  const std::vector<std::uint32_t> pixels(11, 0);
  EXPECT_THROW(OpaqueRectangles(pixels, 4, 3, kClear), std::invalid_argument);
  EXPECT_TRUE(OpaqueRectangles(pixels, 0, 3, kClear).empty());
}

}  // namespace
}  // namespace ormind
