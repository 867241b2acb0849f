#include "pictures/win32/png_graphic.h"

#include "pictures/png_decoder.h"

namespace ormind {

void TPngImage::LoadFromBytes(std::span<const uint8_t> file) { Assign(DecodePng(file)); }

}  // namespace ormind
