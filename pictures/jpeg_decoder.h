#pragma once
// Decodes the bytes of a JPEG file into 32-bit pixels with libjpeg, whole or scaled down by 2,
// 4 or 8 while decoding (which skips most of the work of the full size). A file libjpeg cannot
// read raises PictureError("JPEG error #<libjpeg's message number>").
#include <cstdint>
#include <span>

#include "pictures/pixel_image.h"

namespace ormind {

struct JpegSize {
  int width = 0;
  int height = 0;
};

// The picture's size from its header, after the same checks the decoder makes before it
// decodes (markers, tables, size and colour components), without decoding.
JpegSize ReadJpegSize(std::span<const uint8_t> file);

// The largest of the decoder's divisors 1, 2, 4 and 8 that still leaves a `size` picture at
// least `wanted` wide and high (the decoder rounds a divided size up); 1 when `wanted` is
// empty or not smaller.
int JpegScaleDivisor(JpegSize size, JpegSize wanted);

// `divisor` is 1, 2, 4 or 8: the picture comes out ceil(width / divisor) x ceil(height / divisor).
PixelImage DecodeJpeg(std::span<const uint8_t> file, int divisor = 1);

}  // namespace ormind
