#pragma once
// The print preview's rules that need no window: zoom and fitting, where the page image lies in
// the scrolling page area, the status texts for progress, the keys, and which toolbar buttons
// the page printer's state enables.
#include <cstdint>
#include <optional>
#include <string>

#include "report/pages/report_file.h"

namespace ormind {

enum class TRptZoomMode { zmCustom, zmFitPage, zmFitWidth };

// The page as the page printer describes it: paper width and length in 0.1 mm for the current
// orientation, and its scale factor (screen pixels per 0.1 mm for preview pages).
struct TRptPreviewPage {
  long double Width = 0;
  long double Length = 0;
  long double Factor = 0;
  // The page's size in screen pixels at 100 %.
  int32_t PixelWidth() const;
  int32_t PixelHeight() const;
};

// The page image in the page area, in pixels of the control. The image is 4 pixels larger than
// the page for its frame shadow. The scroll ranges are the extent of the content (image and the
// space left of and above it); both scroll positions return to 0 with every layout.
struct TRptImagePlacement {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  int32_t ScrollWidth() const { return Left + Width; }
  int32_t ScrollHeight() const { return Top + Height; }
  bool operator==(const TRptImagePlacement&) const = default;
};

// Zoom and fit. The control's size W x H is its outer size (borders and scroll bars included).
class TRptPreviewLayout {
 public:
  static constexpr int32_t kMinZoom = 2;
  static constexpr int32_t kMaxZoom = 2000;

  int32_t Zoom() const { return fZoom; }
  TRptZoomMode ZoomMode() const { return fZoomMode; }

  // A zoom outside 2..2000 changes nothing and returns false; otherwise the mode becomes
  // custom.
  bool SetZoomPercent(int32_t zoom);
  // Fit the whole page (95 % of the smaller ratio) or the page width (90 %). A zoom that falls
  // outside the limits, or a page whose size is not known yet, leaves the zoom as it was; the
  // mode is recorded in every case.
  void FitPage(const TRptPreviewPage& page, int32_t width, int32_t height);
  void FitWidth(const TRptPreviewPage& page, int32_t width);
  // After the control's size changed: fit again in the fit modes (lay the page out afterwards
  // in every mode).
  void Refit(const TRptPreviewPage& page, int32_t width, int32_t height);

  // The image's size and place at the current zoom, centred where it is smaller than the
  // control.
  TRptImagePlacement LayoutPage(const TRptPreviewPage& page, int32_t width, int32_t height) const;

 private:
  int32_t fZoom = 100;
  TRptZoomMode fZoomMode = TRptZoomMode::zmCustom;
};

// The progress shown in the status bar: a value at least 5 above the one shown last is shown
// as "n%"; 0 and 100 clear the text. The value shown is never lowered.
class TRptProgressStatus {
 public:
  // The new text of the status panel, or none when it stays as it is.
  std::optional<std::string> Update(int32_t progress);

 private:
  int32_t fShownProgress = 0;
};

// The progress window's text for a value: only multiples of 5 are shown, as "n%  Completed".
std::optional<std::string> ProgressFormText(int32_t progress);

// "Page n of m".
std::string PageInfoText(int32_t pageNumber, int32_t pageCount);

enum class TRptPreviewKey { Escape, PageUp, PageDown, Home, End, Other };
enum TRptKeyModifier : uint32_t {
  kmShift = 1, kmAlt = 2, kmCtrl = 4, kmLeftButton = 8, kmRightButton = 16, kmMiddleButton = 32
};
enum class TRptPreviewCommand { None, Close, FirstPage, PrevPage, NextPage, LastPage };

// What a key does in the preview window; `modifiers` is a set of TRptKeyModifier bits.
TRptPreviewCommand PreviewKeyCommand(TRptPreviewKey key, uint32_t modifiers);

// The toolbar buttons that depend on the page printer's state (all others stay enabled).
struct TRptToolbarStates {
  bool PrintSetup = false, Print = false, Save = false, Load = false;
  bool operator==(const TRptToolbarStates&) const = default;
};

struct TRptPreviewPrinterState {
  TRptPrinterPhase Phase = TRptPrinterPhase::Ready;
  bool FromFile = false;
  bool OperationRunning = false;  // a print or a file dialog holds the printer
  bool HasPrinter = true;         // false once the printer is released
};

TRptToolbarStates ToolbarStates(const TRptPreviewPrinterState& state);

// The toolbar's glyphs come drawn at 16 and at 32 pixels: from 150 % of the display scale on,
// the larger ones, which then look as large as the small ones did at 100 %.
int32_t ToolbarGlyphSize(int32_t dpi);

}  // namespace ormind
