#pragma once
// A picture decoded by the platform's imaging component: PNG ("TPngImage") and GIF
// ("TGIFImage"; the first frame). Transparent parts are laid over white paper when loaded,
// and the result is drawn like an opaque bitmap.
#include "pictures/win32/bitmap_graphic.h"

namespace ormind {

class TWicImage : public TGraphic {
 public:
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override { bitmap_.Draw(dc, rect); }

 private:
  TBitmap bitmap_;
};

// The same pixels, blended over white: 0xAARRGGBB in, 0x00RRGGBB out.
uint32_t OverWhite(uint32_t bgra);

}  // namespace ormind
