#include "pictures/win32/jpeg_graphic.h"

namespace ormind {

void TJPEGImage::LoadFromBytes(std::span<const uint8_t> file) {
  const JpegSize size = ReadJpegSize(file);  // throws before anything changes
  file_.assign(file.begin(), file.end());
  size_ = size;
  decoded_.Assign({});
  decodedDivisor_ = 0;
}

void TJPEGImage::Draw(HDC dc, const RECT& rect) {
  if (file_.empty()) return;
  const int divisor =
      JpegScaleDivisor(size_, {int{rect.right - rect.left}, int{rect.bottom - rect.top}});
  // One decoded size is kept: a smaller rectangle reuses a larger decoding, a larger one
  // decodes again.
  if (decodedDivisor_ == 0 || divisor < decodedDivisor_) {
    decoded_.Assign(DecodeJpeg(file_, divisor));
    decodedDivisor_ = divisor;
  }
  decoded_.Draw(dc, rect);
}

}  // namespace ormind
