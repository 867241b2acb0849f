#pragma once
// TJPEGImage: a JPEG picture drawn like an opaque bitmap. Loading reads the header only; the
// pixels are decoded when first drawn, at the smallest of the decoder's scales (1/8 .. 1) that
// still covers the rectangle drawn into, and kept: a page picture at screen resolution gets a
// picture decoded at a fraction of the cost, a printer page the whole one.
#include <vector>

#include "pictures/jpeg_decoder.h"
#include "pictures/win32/bitmap_graphic.h"

namespace ormind {

class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return size_.width; }
  int Height() const override { return size_.height; }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override;

  // The divisor the last drawing decoded at (1: the whole picture; 0: not decoded yet).
  int DecodedDivisor() const { return decodedDivisor_; }

 private:
  std::vector<uint8_t> file_;
  JpegSize size_;
  TBitmap decoded_;
  int decodedDivisor_ = 0;
};

}  // namespace ormind
