#pragma once
// Decodes the bytes of a JPEG file into 32-bit pixels with libjpeg. A file libjpeg cannot
// read raises PictureError("JPEG error #<libjpeg's message number>").
#include <cstdint>
#include <span>

#include "pictures/pixel_image.h"

namespace ormind {

PixelImage DecodeJpeg(std::span<const uint8_t> file);

}  // namespace ormind
