#pragma once
// Decodes a Windows BMP file (the bytes of a .bmp, starting with "BM") into 32-bit pixels.
// Reads 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, with bit-field masks or
// run-length encoded (8 and 4 bits), bottom-up or top-down rows, core and info headers.
// Every length and offset is checked: a bad file raises PictureError and nothing else.
#include <cstdint>
#include <span>

#include "pictures/pixel_image.h"

namespace ormind {

PixelImage DecodeBmp(std::span<const uint8_t> file);

// The largest picture the readers accept (in pixels), so a forged header cannot make the
// program allocate gigabytes.
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

}  // namespace ormind
