#pragma once
// A picture decoded by the platform's imaging component: PNG ("TPngImage") and GIF
// ("TGIFImage"; the first frame) in picture files. Transparent parts are laid over white
// paper when loaded (OverWhite), and the result is drawn like an opaque bitmap.
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

}  // namespace ormind
