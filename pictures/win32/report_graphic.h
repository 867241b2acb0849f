#pragma once
// The report's pictures on Windows: a Windows picture class seen as the report's graphic, the
// loaders the report's picture registry uses for each class, and the card's built-in
// background, kept as JPEG bytes in the program and decoded once, when first drawn.
#include <map>
#include <memory>
#include <string>

#include "pictures/win32/graphic.h"
#include "report/rpt_canvas.h"
#include "report/rpt_picture_registry.h"
#include "report/win32/rpt_gdi_canvas.h"

namespace ormind {

class TRptWindowsGraphic : public TRptGdiGraphic {
 public:
  explicit TRptWindowsGraphic(std::shared_ptr<TGraphic> graphic) : graphic_(std::move(graphic)) {}
  bool Empty() const override { return graphic_->Empty(); }
  int32_t Width() const override { return graphic_->Width(); }
  int32_t Height() const override { return graphic_->Height(); }
  // Draws stretched into `rect` of `dc`. The picture classes keep what they build for drawing
  // (a DIB section), which is why drawing changes them.
  void Draw(HDC dc, const RECT& rect) const override { graphic_->Draw(dc, rect); }
  const TGraphic& Graphic() const { return *graphic_; }

 private:
  std::shared_ptr<TGraphic> graphic_;
};

// One loader per picture class the program has: TMetafile, TIcon, TBitmap, TJPEGImage,
// TGIFImage, TPngImage and TOleGraphic. Each reads the file (UTF-8 path) and loads it.
std::map<std::string, TRptGraphicLoader> WindowsGraphicLoaders();
// The program's picture registry, built once.
const TRptPictureFormats& ProgramPictureFormats();

// The card's built-in background ("CARD_BACKGROUND" RCDATA, a JPEG file). Every call shares
// the one decoded picture.
std::unique_ptr<TRptGraphic> BuiltInCardBackground();

}  // namespace ormind
