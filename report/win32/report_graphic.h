#pragma once
// The report's pictures on Windows: a Windows picture class seen as the report's graphic, the
// loaders the report's picture registry uses for each class, and the card's built-in
// background, kept as JPEG bytes in the program and decoded when first drawn, at the size drawn.
#include <map>
#include <memory>
#include <string>

#include "pictures/win32/graphic.h"
#include "platform/handles.h"
#include "report/model/canvas.h"
#include "report/model/picture_registry.h"
#include "report/win32/gdi_canvas.h"

namespace ormind {

// A raster picture's copy scaled to the size a page picture holds it at (the last size asked
// for). Shared by every report graphic made from the same loaded picture, so the card printed
// again with the same background scales nothing.
struct TRptScaledCopy {
  BitmapHandle bitmap;
  SIZE size{};
};

class TRptWindowsGraphic : public TRptGdiGraphic {
 public:
  // `raster`: the picture is made of pixels (not a metafile), so a page picture may hold it at
  // the page's own resolution. `scaled`: where that copy is kept; graphics of one picture may
  // share it.
  explicit TRptWindowsGraphic(std::shared_ptr<TGraphic> graphic, bool raster = true,
                              std::shared_ptr<TRptScaledCopy> scaled = nullptr)
      : graphic_(std::move(graphic)),
        raster_(raster),
        scaled_(scaled ? std::move(scaled) : std::make_shared<TRptScaledCopy>()) {}
  bool Empty() const override { return graphic_->Empty(); }
  int32_t Width() const override { return graphic_->Width(); }
  int32_t Height() const override { return graphic_->Height(); }
  // Draws stretched into `rect` of `dc`. The picture classes keep what they build for drawing
  // (a DIB section), which is why drawing changes them. Into a page picture being recorded, a
  // raster picture larger than its rectangle goes in scaled to the rectangle once: the page is
  // recorded at screen resolution, and the card's 1654 x 2339 background would otherwise put
  // 15 MB of pixels into every page.
  void Draw(HDC dc, const RECT& rect) const override;
  const TGraphic& Graphic() const { return *graphic_; }
  const TRptScaledCopy& ScaledCopy() const { return *scaled_; }

 private:
  HBITMAP ScaledTo(HDC dc, int width, int height) const;

  std::shared_ptr<TGraphic> graphic_;
  bool raster_;
  std::shared_ptr<TRptScaledCopy> scaled_;  // changed by drawing, like the picture classes
};

// One loader per picture class the program has: TMetafile, TIcon, TBitmap, TJPEGImage,
// TGIFImage, TPngImage and TOleGraphic. Each reads the file (UTF-8 path) and loads it; the
// JPEG loader reuses the file it loaded last while that is unchanged.
std::map<std::string, TRptGraphicLoader> WindowsGraphicLoaders();
// The program's picture registry, built once.
const TRptPictureFormats& ProgramPictureFormats();

// The card's built-in background ("CARD_BACKGROUND" RCDATA, a JPEG file). Every call shares
// the one picture and what it has decoded.
std::unique_ptr<TRptGraphic> BuiltInCardBackground();

}  // namespace ormind
