#pragma once
// TRptPreview: the scrolling page area of the preview window. It lays out one page image at
// the chosen zoom, moves between pages of its page printer, and turns the printer's page-ready
// and progress notices into its own events.
#include <cstdint>
#include <functional>

#include "platform/window.h"
#include "report/printer/printer_device.h"
#include "report/win32/preview/rules/preview_layout.h"
#include "base/wheel_steps.h"
#include "report/win32/preview/preview_image.h"

namespace ormind {

class TRptPrinter;

using TRptPageAvailableEvent = std::function<void(TWindow& sender, int32_t pageNum)>;
using TRptProgressUpdateEvent = std::function<void(TWindow& sender, int32_t progress)>;
// A key pressed in the page area, offered to the window first; true when it was used.
using TRptKeyPreview = std::function<bool(UINT key, uint32_t modifiers)>;

// Offers the keys that reach one of the preview's windows to its handler. A key taken with Alt
// held (Alt+C, the Close button's access key) is followed by the WM_SYSCHAR that TranslateMessage
// makes of it; DefWindowProc would look that character up among the menu's access keys and, with
// no menu there, beep. The character of a taken key goes no further.
class TRptKeyRouter {
 public:
  // True when `message` was a key the handler took, or the character made of one.
  bool Route(const TRptKeyPreview& handler, UINT message, WPARAM wParam);

 private:
  bool fCharOfTakenKey = false;
};

class TRptPreview final : public TWindow {
 public:
  TRptPreview() = default;
  ~TRptPreview() override;

  void Create(TWindow& parent);
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

  int32_t PageNumber() const { return fPageNumber; }
  void SetPageNumber(int32_t n);
  int32_t Zoom() const { return fLayout.Zoom(); }
  void SetZoom(int32_t zoom);
  TRptZoomMode FZoomMode() const { return fLayout.ZoomMode(); }

  void FitPage();
  void FitWidth();
  void LayoutPage();
  void RefitOnResize();
  void ShowPendingPage();
  void AttachPrinter(TRptPrinter* printer);
  TRptPrinter* Printer() const { return fPrinter; }
  TRptPreviewImage& Image() { return fImage; }
  TRptImagePlacement Placement() const { return fPlacement; }
  int32_t ScrollPosition(int bar) const { return bar == SB_HORZ ? fScrollX : fScrollY; }

  TRptPageAvailableEvent OnPageAvailable;
  TRptProgressUpdateEvent OnProgressUpdate;
  TRptKeyPreview OnKeyPreview;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  TRptPreviewPage PageSize() const;
  void OuterSize(int32_t& width, int32_t& height) const;
  void UpdateScrollBars();
  void ScrollTo(int bar, int32_t position);
  void Scroll(int bar, WORD request);
  void WheelScroll(int32_t delta);
  void PrinterGone();
  void ShowPage(int32_t n);

  TRptPreviewImage fImage;
  TRptPrinter* fPrinter = nullptr;
  int32_t fPageNumber = 1;
  TRptPreviewLayout fLayout;
  TRptImagePlacement fPlacement;
  int32_t fScrollX = 0, fScrollY = 0;
  WheelAccumulator fWheel;
  int32_t fWidth = 250, fHeight = 250;
  bool fLayingOut = false;
  TRptWindowRef fNoticeWindow = 0;
  TRptKeyRouter fKeys;
};

// The keyboard's modifier state as the preview's key table reads it.
uint32_t CurrentKeyModifiers();

}  // namespace ormind
