#pragma once
// TRptPreviewImage: the page image inside the preview's page area. It holds the picture of
// one page of the page printer and paints it with its white page, black frame and drop
// shadow, from pixels drawn once per size (TRptPageBitmap).
#include <cstdint>
#include <memory>

#include "platform/window.h"
#include "report/win32/preview/page_bitmap.h"

namespace ormind {

class TRptPrinter;
class TRptPagePicture;

class TRptPreviewImage final : public TWindow {
 public:
  TRptPreviewImage() = default;
  ~TRptPreviewImage() override;

  void Create(TWindow& parent);
  void SetPrinter(TRptPrinter* printer) { fPrinter = printer; }
  // Shows page n of the page printer (empty when the printer cannot deliver it yet), painted
  // at once.
  void SetPage(int32_t n);
  // Drops the picture (the printer is going away).
  void DropPicture();
  int32_t PageNumber() const { return fPageNumber; }
  bool HasPicture() const { return FHasPicture; }
  void SetZoom(int32_t zoom) { fZoom = zoom; }
  int32_t Zoom() const { return fZoom; }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  const TRptPageBitmap& Pixels() const { return fPixels; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();

  TRptPrinter* fPrinter = nullptr;
  int32_t fPageNumber = 1;
  std::unique_ptr<TRptPagePicture> fPicture;
  bool FHasPicture = false;
  int32_t fZoom = 100;
  int32_t fWidth = 100, fHeight = 50;
  TRptPageBitmap fPixels;
};

}  // namespace ormind
