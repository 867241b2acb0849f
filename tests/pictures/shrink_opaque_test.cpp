#include "pictures/shrink_opaque.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "pictures/draw_down.h"

namespace ormind {
namespace {

// A picture laid out as a device-independent bitmap: rows padded to four bytes, top down or
// bottom up.
struct DibLayout {
  std::vector<uint8_t> bytes;
  BgrPixels view;
};

DibLayout LayOut(const PixelImage& picture, int pixelBytes, bool bottomUp) {
  const ptrdiff_t stride = (picture.width * pixelBytes + 3) / 4 * 4;
  DibLayout dib{std::vector<uint8_t>(stride * picture.height, 0xEE), {}};
  for (int y = 0; y < picture.height; ++y) {
    uint8_t* row = &dib.bytes[(bottomUp ? picture.height - 1 - y : y) * stride];
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t pixel = picture.At(x, y);
      row[x * pixelBytes] = pixel & 0xFF;
      row[x * pixelBytes + 1] = (pixel >> 8) & 0xFF;
      row[x * pixelBytes + 2] = (pixel >> 16) & 0xFF;
    }
  }
  const uint8_t* top = bottomUp ? &dib.bytes[(picture.height - 1) * stride] : dib.bytes.data();
  dib.view = {top, bottomUp ? -stride : stride, picture.width, picture.height, pixelBytes};
  return dib;
}

int WorstChannelDifference(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  }
  return worst;
}

// Random pictures in every layout a bitmap may have, at every smaller size: within one step of
// the exact area average (DrawDown with a see-through colour no pixel has).
TEST(ShrinkOpaque, ComesWithinOneStepOfTheExactAverageInEveryLayout) {
  struct Layout {
    int pixelBytes;
    bool bottomUp;
  };
  const Layout layouts[] = {{3, false}, {3, true}, {4, false}, {4, true}};
  constexpr uint32_t kNoHole = 0x01000000;
  std::mt19937 random(20261210);
  for (int round = 0; round < 12; ++round) {
    const int w = 1 + int(random() % 17), h = 1 + int(random() % 13);
    PixelImage source{w, h, {}};
    for (int i = 0; i < w * h; ++i) source.pixels.push_back(random() & 0xFFFFFF);
    for (const Layout& layout : layouts) {
      const DibLayout dib = LayOut(source, layout.pixelBytes, layout.bottomUp);
      for (int tw = 1; tw <= w; ++tw) {
        for (int th = 1; th <= h; ++th) {
          const PixelImage exact = DrawDown(source, tw, th, kNoHole);
          const PixelImage shrunk = ShrinkOpaque(dib.view, tw, th);
          ASSERT_EQ(shrunk.pixels.size(), exact.pixels.size());
          for (size_t i = 0; i < exact.pixels.size(); ++i) {
            ASSERT_LE(WorstChannelDifference(shrunk.pixels[i], exact.pixels[i]), 1)
                << w << " x " << h << " to " << tw << " x " << th << ", " << layout.pixelBytes
                << " bytes, bottom up " << layout.bottomUp << ", pixel " << i;
          }
        }
      }
    }
  }
}

// Paper of one colour stays that colour: no drift from weights that do not add up, no wrap
// at full white.
TEST(ShrinkOpaque, APictureOfOneColourKeepsItExactly) {
  for (const uint32_t colour : {0x000000u, 0xFFFFFFu, 0xF4EBD9u, 0x01FF80u}) {
    const PixelImage source{793, 37, std::vector<uint32_t>(793 * 37, colour)};
    const DibLayout dib = LayOut(source, 3, true);
    for (const auto& [w, h] : {std::pair{614, 29}, std::pair{3, 2}, std::pair{792, 36}}) {
      const PixelImage shrunk = ShrinkOpaque(dib.view, w, h);
      for (const uint32_t pixel : shrunk.pixels) ASSERT_EQ(pixel, colour) << w << " x " << h;
    }
  }
}

}  // namespace
}  // namespace ormind
