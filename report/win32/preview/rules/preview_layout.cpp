#include "report/win32/preview/rules/preview_layout.h"

#include <algorithm>

#include "report/model/round.h"

namespace ormind {

int32_t TRptPreviewPage::PixelWidth() const { return RptRound(Width * Factor); }
int32_t TRptPreviewPage::PixelHeight() const { return RptRound(Length * Factor); }

bool TRptPreviewLayout::SetZoomPercent(int32_t zoom) {
  if (zoom < kMinZoom || zoom > kMaxZoom) return false;
  fZoomMode = TRptZoomMode::zmCustom;
  fZoom = zoom;
  return true;
}

void TRptPreviewLayout::FitPage(const TRptPreviewPage& page, int32_t width, int32_t height) {
  const int32_t pw = page.PixelWidth();
  const int32_t ph = page.PixelHeight();
  // Before the document is opened the page has no size yet: nothing to fit to.
  if (pw > 0 && ph > 0) {
    const int32_t zx = RptRound(static_cast<long double>(width) / pw * 95);
    const int32_t zy = RptRound(static_cast<long double>(height) / ph * 95);
    SetZoomPercent(std::min(zx, zy));
  }
  fZoomMode = TRptZoomMode::zmFitPage;
}

void TRptPreviewLayout::FitWidth(const TRptPreviewPage& page, int32_t width) {
  const int32_t pw = page.PixelWidth();
  if (pw > 0) SetZoomPercent(RptRound(static_cast<long double>(width) / pw * 90));
  fZoomMode = TRptZoomMode::zmFitWidth;
}

void TRptPreviewLayout::Refit(const TRptPreviewPage& page, int32_t width, int32_t height) {
  if (fZoomMode == TRptZoomMode::zmFitPage) FitPage(page, width, height);
  if (fZoomMode == TRptZoomMode::zmFitWidth) FitWidth(page, width);
}

TRptImagePlacement TRptPreviewLayout::LayoutPage(const TRptPreviewPage& page, int32_t width,
                                                 int32_t height) const {
  TRptImagePlacement image;
  // 4 extra pixels hold the frame's shadow.
  image.Width = RptRound(page.Width / 100 * fZoom * page.Factor) + 4;
  image.Height = RptRound(page.Length / 100 * fZoom * page.Factor) + 4;
  image.Left = image.Width < width ? (width - image.Width) / 2 : 0;
  image.Top = image.Height < height ? (height - image.Height) / 2 : 0;
  return image;
}

std::optional<std::string> TRptProgressStatus::Update(int32_t progress) {
  std::optional<std::string> text;
  if (progress >= fShownProgress + 5) {
    text = std::to_string(progress) + "%";
    fShownProgress = progress;
  }
  if (progress == 0 || progress == 100) text = std::string();
  return text;
}

std::optional<std::string> ProgressFormText(int32_t progress) {
  if (progress % 5 != 0) return std::nullopt;
  return std::to_string(progress) + "% " + " Completed";
}

std::string PageInfoText(int32_t pageNumber, int32_t pageCount) {
  return "Page " + std::to_string(pageNumber) + " of " + std::to_string(pageCount);
}

TRptPreviewCommand PreviewKeyCommand(TRptPreviewKey key, uint32_t modifiers) {
  const bool onlyCtrl = modifiers == kmCtrl;
  switch (key) {
    case TRptPreviewKey::Escape: return TRptPreviewCommand::Close;
    case TRptPreviewKey::PageUp:
      return onlyCtrl ? TRptPreviewCommand::FirstPage : TRptPreviewCommand::PrevPage;
    case TRptPreviewKey::PageDown:
      return onlyCtrl ? TRptPreviewCommand::LastPage : TRptPreviewCommand::NextPage;
    case TRptPreviewKey::Home: return TRptPreviewCommand::FirstPage;
    case TRptPreviewKey::End: return TRptPreviewCommand::LastPage;
    case TRptPreviewKey::Other: break;
  }
  return TRptPreviewCommand::None;
}

TRptToolbarStates ToolbarStates(const TRptPreviewPrinterState& state) {
  // While a print or a dialog holds the printer, or pages are still coming, nothing that
  // prints, saves or replaces the pages may start.
  if (!state.HasPrinter || state.OperationRunning || state.Phase != TRptPrinterPhase::Finished) {
    return {};
  }
  return {.PrintSetup = !state.FromFile, .Print = true, .Save = true, .Load = true};
}

int32_t ToolbarGlyphSize(int32_t dpi) { return dpi >= 144 ? 32 : 16; }

}  // namespace ormind
