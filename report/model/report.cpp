#include "report/model/report.h"

#include <algorithm>

#include "report/model/page_run.h"

namespace ormind {
namespace {

constexpr int32_t kReportFontPoints = 10;

bool SpansAllColumns(TRptBandType type, TRptColumnOrder order) {
  switch (type) {
    case TRptBandType::rbTitle:
    case TRptBandType::rbPageHeader:
    case TRptBandType::rbPageFooter:
    case TRptBandType::rbSummary:
    case TRptBandType::rbOverlay:
      return true;
    case TRptBandType::rbGroupHeader:
    case TRptBandType::rbGroupFooter:
      return order == TRptColumnOrder::RowByRow;
    default:
      return false;
  }
}

}  // namespace

TCustomReport::TCustomReport(TRptCanvas& referenceCanvas, const TRptEngineSettings& engine)
    : reference_(referenceCanvas),
      scale_{referenceCanvas.PixelsPerInchY(), 100, kReportFontPoints},
      units_(engine.PageDefaults().Unit),
      page_(engine.PageDefaults(), scale_) {
  if (!engine.JapaneseLocale) {
    Font.Name = "Arial";
    Font.Height = -PointsToPixels(kReportFontPoints, scale_.PixelsPerInch);
  }
  if (engine.DefaultPrinterPaper != TRptPaperSize::Default) {
    page_.SetPaperSize(engine.DefaultPrinterPaper);
  }
  page_.OnChange = [this] { LayoutBands(); };
}

TCustomReport::~TCustomReport() = default;

void TCustomReport::SetUnits(TRptUnit unit) {
  units_ = unit;
  page_.SetUnits(unit);
  for (TRptCustomBand* band : bands_) band->Size().SetUnits(unit);
  for (TRptPrintable* control : AllPrintables()) control->Size().SetUnits(unit);
}

void TCustomReport::SetZoom(int32_t zoom) {
  if (zoom < 1 || zoom > 300) return;
  scale_.Zoom = zoom;
  page_.Scale().Zoom = zoom;
  for (TRptCustomBand* band : bands_) band->Size().Scale().Zoom = zoom;
  for (TRptPrintable* control : AllPrintables()) control->Size().Scale().Zoom = zoom;
}

void TCustomReport::SwitchUnitsForRun(bool toNative) {
  auto apply = [toNative](TRptUnitBase& size) {
    if (toNative) {
      size.SaveUnits(TRptUnit::Native);
    } else {
      size.RestoreUnits();
    }
  };
  apply(page_);
  for (TRptCustomBand* band : bands_) apply(band->Size());
  for (TRptPrintable* control : AllPrintables()) apply(control->Size());
}

void TCustomReport::AddBand(TRptCustomBand& band) {
  bands_.push_back(&band);
  LayoutBands();
}

TRptCustomBand* TCustomReport::FindBand(TRptBandType type) const {
  const auto found = std::find_if(bands_.begin(), bands_.end(),
                                  [type](const TRptCustomBand* b) { return b->BandType == type; });
  return found == bands_.end() ? nullptr : *found;
}

void TCustomReport::AddPrintable(TRptPrintable& control) { ownPrintables_.push_back(&control); }

std::vector<TRptPrintable*> TCustomReport::AllPrintables() const {
  std::vector<TRptPrintable*> all;
  for (const TRptCustomBand* band : bands_) {
    all.insert(all.end(), band->Printables().begin(), band->Printables().end());
  }
  all.insert(all.end(), ownPrintables_.begin(), ownPrintables_.end());
  return all;
}

void TCustomReport::Loaded() {
  LayoutBands();
  for (TRptPrintable* control : AllPrintables()) {
    control->Loaded();
    control->AlignOnBand();
  }
}

int32_t TCustomReport::PixelWidth() const {
  return static_cast<int32_t>(RptRound(page_.ValueIn(3, TRptUnit::Pixels, false)));
}

int32_t TCustomReport::PixelHeight() const {
  return static_cast<int32_t>(RptRound(page_.ValueIn(1, TRptUnit::Pixels, true)));
}

int32_t TCustomReport::BandPixelWidth(const TRptCustomBand& band) const {
  const long double margins = page_.ValueIn(4, TRptUnit::Pixels, false) +
                              page_.ValueIn(5, TRptUnit::Pixels, false);
  const auto full = static_cast<int32_t>(PixelWidth() - RptRound(margins));
  if (SpansAllColumns(band.BandType, page_.ColumnOrder)) return full;
  const auto space = static_cast<int32_t>(RptRound(page_.ValueIn(6, TRptUnit::Pixels, false)));
  return (full - space * (page_.Columns() - 1)) / page_.Columns();
}

void TCustomReport::LayoutBands() {
  const auto left = static_cast<int32_t>(RptRound(page_.ValueIn(4, TRptUnit::Pixels, false)));
  auto top = static_cast<int32_t>(RptRound(page_.ValueIn(2, TRptUnit::Pixels, true)));
  for (TRptCustomBand* band : bands_) {
    band->PlaceOnReport(left, top, BandPixelWidth(*band));
    top += band->Bounds().Height;
  }
}

void TCustomReport::GeneratePages(TRptPageTarget& target) {
  if (run_ != nullptr) return;
  TRptPageRun run(*this, target);
  run.Execute();
}

void TCustomReport::Cancel() {
  if (run_ != nullptr) cancelled_ = true;
}

int64_t TCustomReport::SpaceLeftOnPage() const {
  return run_ != nullptr ? run_->SpaceLeftOnPage() : 0;
}

void TCustomReport::Preview() {
  if (PreviewOperation && !Generating()) PreviewOperation(*this);
}

void TCustomReport::Print() {
  if (PrintOperation && !Generating()) PrintOperation(*this);
}

}  // namespace ormind
