#include "pictures/win32/jpeg_graphic.h"

#include "pictures/jpeg_decoder.h"

namespace ormind {

void TJPEGImage::LoadFromBytes(std::span<const uint8_t> file) { bitmap_.Assign(DecodeJpeg(file)); }

}  // namespace ormind
