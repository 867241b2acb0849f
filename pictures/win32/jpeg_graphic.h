#pragma once
// TJPEGImage: a JPEG picture, decoded once when loaded and drawn like an opaque bitmap.
#include "pictures/win32/bitmap_graphic.h"

namespace ormind {

class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override { bitmap_.Draw(dc, rect); }

 private:
  TBitmap bitmap_;
};

}  // namespace ormind
