#pragma once
// An opaque picture drawn down by averaging the area each new pixel covers, as DrawDown does,
// but straight from a device-independent bitmap's rows and in fixed point, fast enough to do
// while a page is painted: each channel comes within one step of the exact mean, and a picture
// of one colour stays exactly that colour.
#include <cstddef>
#include <cstdint>

#include "pictures/pixel_image.h"

namespace ormind {

// Pixels as a device-independent bitmap lays them out: blue, green, red (and an unused byte
// when `pixelBytes` is 4) per pixel; the top row at `top`, each next row `stride` bytes on
// (negative for a bitmap stored bottom up).
struct BgrPixels {
  const uint8_t* top;
  ptrdiff_t stride;
  int width, height;
  int pixelBytes;  // 3 or 4
};

// `width` and `height` at most the source's and at least 1.
PixelImage ShrinkOpaque(const BgrPixels& source, int width, int height);

}  // namespace ormind
