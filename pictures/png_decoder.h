#pragma once
// Decodes a PNG file of the kind the program's artwork is stored in: 8 bits per sample, RGB
// or RGBA, not interlaced. Pixels with alpha are laid over white, as the imaging component's
// pictures are, so fully transparent parts come out in the skinned windows' see-through
// colour. Every other kind of PNG, and any damaged file (a wrong length or CRC, chunks out of
// order, image data shorter or longer than the header says, a picture over the readers'
// pixel limit), raises PictureError with a message saying what is wrong, and nothing else.
#include <cstdint>
#include <span>

#include "pictures/pixel_image.h"

namespace ormind {

PixelImage DecodePng(std::span<const uint8_t> file);

}  // namespace ormind
