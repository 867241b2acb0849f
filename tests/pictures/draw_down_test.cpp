#include "pictures/draw_down.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

namespace ormind {
namespace {

constexpr uint32_t kHole = 0xFFFFFF;  // the faces' see-through white

PixelImage Picture(int width, int height, std::vector<uint32_t> pixels) {
  return {width, height, std::move(pixels)};
}

// Values worked out by hand, which also hold the plain definition below to account; other
// ratios and sizes are the random comparison's.
TEST(DrawDown, EachNewPixelAveragesTheAreaItCovers) {
  struct Case {
    const char* name;
    PixelImage source;
    int width, height;
    std::vector<uint32_t> expected;
  };
  const Case cases[] = {
      {"halves: each 2 x 2 block averaged per channel",
       Picture(4, 2, {0x000000, 0x204060, 0x100000, 0x100000,
                      0x402000, 0x0000FF, 0x100000, 0x100000}),
       2, 1, {0x181858, 0x100000}},
      // Holes do not dilute the paint next to them.
      {"one hole in four: the other three averaged alone",
       Picture(2, 2, {kHole, 0x000030, 0x000060, 0x000090}), 1, 1, {0x000060}},
      {"half painted: still painted", Picture(2, 2, {kHole, kHole, 0x300000, 0x500000}), 1, 1,
       {0x400000}},
      // Near-white paint whose mean rounds to the hole colour must not cut a hole.
      {"a painted mean equal to the hole colour is moved off it",
       Picture(2, 1, {0xFEFFFF, 0xFFFFFE}), 1, 1, {0xFFFFFE}},
  };
  for (const Case& c : cases) {
    const PixelImage out = DrawDown(c.source, c.width, c.height, kHole);
    EXPECT_EQ(out.width, c.width) << c.name;
    EXPECT_EQ(out.height, c.height) << c.name;
    EXPECT_EQ(out.pixels, c.expected) << c.name;
  }
}

// The plain definition, pixel by pixel: the area of source pixel (sx, sy) inside new pixel
// (x, y), in steps of 1 / (source * target) per axis, weighs its colour unless it is a hole.
PixelImage PlainAreaAverage(const PixelImage& source, int width, int height) {
  const auto overlap = [](int64_t s, int64_t t, int64_t sourceSize, int64_t targetSize) {
    const int64_t begin = std::max(s * targetSize, t * sourceSize);
    const int64_t end = std::min((s + 1) * targetSize, (t + 1) * sourceSize);
    return std::max<int64_t>(end - begin, 0);
  };
  PixelImage out{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double painted = 0, channels[3] = {0, 0, 0};
      for (int sy = 0; sy < source.height; ++sy) {
        const int64_t wy = overlap(sy, y, source.height, height);
        for (int sx = 0; wy && sx < source.width; ++sx) {
          const double w = double(wy) * double(overlap(sx, x, source.width, width));
          const uint32_t p = source.At(sx, sy);
          if (!w || p == kHole) continue;
          painted += w;
          for (int c = 0; c < 3; ++c) channels[c] += w * ((p >> (16 - 8 * c)) & 0xFF);
        }
      }
      uint32_t result = kHole;
      if (painted * 2 >= double(source.width) * source.height) {
        result = 0;
        for (double channel : channels) {
          result = (result << 8) | static_cast<uint32_t>(std::floor(channel / painted + 0.5));
        }
        if (result == kHole) result ^= 1;
      }
      out.pixels.push_back(result);
    }
  }
  return out;
}

// Random small pictures, a third of their pixels holes, at every smaller size: the same pixels
// as the plain definition gives.
TEST(DrawDown, AgreesWithThePlainDefinitionOnRandomPictures) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 40; ++round) {
    const int w = 1 + int(random() % 13), h = 1 + int(random() % 11);
    PixelImage source{w, h, {}};
    for (int i = 0; i < w * h; ++i) {
      source.pixels.push_back(random() % 3 == 0 ? kHole : random() & 0xFFFFFF);
    }
    for (int tw = 1; tw <= w; ++tw) {
      for (int th = 1; th <= h; ++th) {
        ASSERT_EQ(DrawDown(source, tw, th, kHole).pixels, PlainAreaAverage(source, tw, th).pixels)
            << w << " x " << h << " to " << tw << " x " << th << ", round " << round;
      }
    }
  }
}

TEST(DrawDown, ASizeOutsideThePictureIsRefused) {
  const PixelImage source = Picture(2, 2, {0, 0, 0, 0});
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{3, 2}, {2, 3}, {0, 1}, {1, -1}}) {
    EXPECT_THROW(DrawDown(source, w, h, kHole), std::invalid_argument) << w << " x " << h;
  }
}

}  // namespace
}  // namespace ormind
