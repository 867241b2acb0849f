#pragma once
// TMetafile: an enhanced (.emf) or a Windows (.wmf, with or without the placeable header)
// metafile, played stretched into the rectangle it is drawn in.
#include "pictures/win32/graphic.h"
#include "platform/handles.h"

namespace ormind {

class TMetafile : public TGraphic {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void LoadFromBytes(std::span<const uint8_t> file) override;
  void Draw(HDC dc, const RECT& rect) override;

 private:
  EnhMetaFileHandle metafile_;
  int width_ = 0, height_ = 0;  // pixels at 96 per inch
};

}  // namespace ormind
