#pragma once
// TIconImage (the picture class "TIcon"): an icon file (.ico); its largest image is drawn,
// with its mask, into the rectangle.
#include "pictures/win32/graphic.h"
#include "platform/handles.h"

namespace ormind {

class TIconImage : public TGraphic {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override;

 private:
  IconHandle icon_;
  int width_ = 0, height_ = 0;
};

}  // namespace ormind
