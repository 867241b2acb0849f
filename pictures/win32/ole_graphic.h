#pragma once
// TOleGraphic: a picture read by the platform's OLE picture loader, used for file names without
// an extension (the loader recognises the format from the contents).
#include <ocidl.h>
#include <olectl.h>

#include "pictures/win32/com_apartment.h"
#include "pictures/win32/graphic.h"
#include "platform/handles.h"

namespace ormind {

class TOleGraphic : public TGraphic {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override;

 private:
  ComRef<IPicture> picture_;
  OLE_XSIZE_HIMETRIC himetricWidth_ = 0;
  OLE_YSIZE_HIMETRIC himetricHeight_ = 0;
  int width_ = 0, height_ = 0;  // pixels at 96 per inch
};

}  // namespace ormind
