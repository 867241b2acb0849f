#pragma once
// TBitmap: a BMP picture held as 32-bit pixels in a DIB section. When transparent, the pixels
// of its transparent colour (white for a black-and-white bitmap, otherwise the bottom-left
// pixel's colour) leave the destination unchanged: at natural size through one MaskBlt, when
// stretched through a mask and a pre-masked copy of the picture.
#include "pictures/win32/graphic.h"
#include "pictures/pixel_image.h"
#include "platform/handles.h"

namespace ormind {

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  explicit TBitmap(PixelImage image);

  int Width() const override { return image_.width; }
  int Height() const override { return image_.height; }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override;

  void Assign(PixelImage image);
  const PixelImage& Image() const { return image_; }
  ColorRef TransparentColor() const { return AutomaticTransparentColor(image_); }

 private:
  HBITMAP Pixels(HDC dc);
  HBITMAP Mask();
  void DrawOpaque(HDC dc, HDC source, const RECT& rect);
  void DrawMasked(HDC dc, HDC source, const RECT& rect);

  PixelImage image_;
  BitmapHandle pixels_;  // built on first draw, kept until the picture changes
  BitmapHandle mask_;
};

}  // namespace ormind
