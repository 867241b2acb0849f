#include "report/win32/preview/page_bitmap.h"

#include "report/pages/page_picture.h"
#include "report/win32/preview/page_player.h"

namespace ormind {

void TRptPageBitmap::SetPicture(const TRptPagePicture* picture) {
  Forget();
  fMetafile.Reset();
  if (picture == nullptr) return;
  const std::vector<uint8_t>& bytes = picture->Bytes();
  fMetafile.Reset(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
}

void TRptPageBitmap::Forget() {
  fPixels.Reset();
  fWidth = fHeight = 0;
}

void TRptPageBitmap::Paint(HDC dc, int32_t width, int32_t height, COLORREF background) {
  if (!fMetafile || width <= 0 || height <= 0) return;
  if (!fPixels || width != fWidth || height != fHeight) Render(dc, width, height, background);
  if (!fPixels) {
    // No bitmap of this size could be made: a blank page, never the pixels painted before.
    PaintBlank(dc, width, height, background);
    return;
  }
  MemoryDC source(dc);
  SelectedObject selected(source.Get(), fPixels.Get());
  BitBlt(dc, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
}

void TRptPageBitmap::Render(HDC compatible, int32_t width, int32_t height, COLORREF background) {
  Forget();
  BitmapHandle pixels(CreateCompatibleBitmap(compatible, width, height));
  MemoryDC target(compatible);
  if (!pixels || !target) return;
  {
    SelectedObject selected(target.Get(), pixels.Get());
    BrushHandle fill(CreateSolidBrush(background));
    const RECT all{0, 0, width, height};
    FillRect(target.Get(), &all, fill.Get());
    DrawFramedPage(target.Get(), fMetafile.Get(), width, height);
  }
  fPixels = std::move(pixels);
  fWidth = width;
  fHeight = height;
  ++fRenders;
}

void TRptPageBitmap::PaintBlank(HDC dc, int32_t width, int32_t height, COLORREF background) {
  BrushHandle fill(CreateSolidBrush(background));
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, fill ? fill.Get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawFramedPage(dc, nullptr, width, height);
}

void DrawFramedPage(HDC dc, HENHMETAFILE picture, int32_t width, int32_t height) {
  const int32_t w = width, h = height;
  {
    SelectedObject brush(dc, GetStockObject(WHITE_BRUSH));
    SelectedObject pen(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, 1, 1, w - 3, h - 3);
  }
  const RECT whole{0, 0, w, h};
  if (picture != nullptr) PlayPagePicture(dc, picture, whole);
  {
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    const POINT frame[] = {{0, 0}, {0, h - 3}, {w - 3, h - 3}, {w - 3, 0}, {0, 0}};
    Polyline(dc, frame, 5);
  }
  const RECT right{w - 2, 2, w, h}, bottom{2, h - 2, w, h};
  const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FillRect(dc, &right, black);
  FillRect(dc, &bottom, black);
}

}  // namespace ormind
