#include "report/model/units.h"

#include <cmath>
#include <cstdlib>

namespace ormind {
namespace {

constexpr long double kTenthsPerInch = 254;

// The character cell of the Characters unit, in millimetres: a cell as high as the font and
// half as wide.
long double CellMm(int32_t points, bool vertical) {
  const long double height = points * 25.4L / 72;
  return vertical ? height : height / 2;
}

}  // namespace

int32_t PointsToPixels(int32_t points, int32_t pixelsPerInch) {
  const int64_t product = int64_t{points} * pixelsPerInch;
  const int64_t half = product >= 0 ? 36 : -36;
  return static_cast<int32_t>((product + half) / 72);
}

long double TRptUnitScale::FromStored(long double stored, TRptUnit unit, bool vertical) const {
  switch (unit) {
    case TRptUnit::MM: return stored / 10;
    case TRptUnit::Inches: return stored / kTenthsPerInch;
    case TRptUnit::Pixels: return stored / (kTenthsPerInch / PixelsPerInch) * Zoom / 100;
    case TRptUnit::Characters: return stored / CellMm(FontPoints, vertical) / 10;
    case TRptUnit::Native: break;
  }
  return stored;
}

long double TRptUnitScale::ToStored(long double value, TRptUnit unit, bool vertical) const {
  switch (unit) {
    case TRptUnit::MM: return value * 10;
    case TRptUnit::Inches: return value * kTenthsPerInch;
    case TRptUnit::Pixels: return value * (kTenthsPerInch / PixelsPerInch) / Zoom * 100;
    case TRptUnit::Characters: return value * CellMm(FontPoints, vertical) * 10;
    case TRptUnit::Native: break;
  }
  return value;
}

TRptUnitBase::TRptUnitBase(size_t count, TRptUnit unit, const TRptUnitScale& scale)
    : values_(count, 0), unit_(unit), saved_(unit), scale_(scale) {}

void TRptUnitBase::ReadValues(const std::vector<long double>& values) {
  for (size_t i = 0; i < values.size() && i < values_.size(); ++i) values_[i] = values[i];
}

void TRptUnitBase::SaveUnits(TRptUnit unit) {
  saved_ = unit_;
  unit_ = unit;
}

void TRptUnitBase::RestoreUnits() { unit_ = saved_; }

long double TRptUnitBase::Get(size_t index, bool vertical) const {
  return scale_.FromStored(values_[index], unit_, vertical);
}

void TRptUnitBase::Set(size_t index, long double value, bool vertical) {
  values_[index] = scale_.ToStored(value, unit_, vertical);
  if (OnChange) OnChange();
}

TRptPageDefaults PageDefaultsFor(bool usMeasurement) {
  if (usMeasurement) return {TRptUnit::Inches, TRptPaperSize::Letter, kTenthsPerInch / 2};
  return {TRptUnit::MM, TRptPaperSize::A4, 100};
}

TRptPage::TRptPage(const TRptPageDefaults& defaults, const TRptUnitScale& scale)
    : TRptUnitBase(7, defaults.Unit, scale) {
  for (size_t margin : {0u, 2u, 4u, 5u}) Store(margin, defaults.Margin);
  SetPaperSize(defaults.Paper);
}

void TRptPage::SetLength(long double v) {
  if (paper_ == TRptPaperSize::Custom) Set(1, v, true);
}

void TRptPage::SetWidth(long double v) {
  if (paper_ == TRptPaperSize::Custom) Set(3, v, false);
}

void TRptPage::SetColumns(int32_t columns) {
  if (columns < 1) return;
  columns_ = columns;
  if (OnChange) OnChange();
}

void TRptPage::SetOrientation(TRptOrientation orientation) {
  orientation_ = orientation;
  SetPaperSize(paper_);
}

void TRptPage::SetPaperSize(TRptPaperSize size) {
  paper_ = size;
  if (size != TRptPaperSize::Default && size != TRptPaperSize::Custom) {
    const TRptPaperInfo& info = PaperInfo(size);
    const bool landscape = orientation_ == TRptOrientation::Landscape;
    Store(3, (landscape ? info.Height : info.Width) * 10.0L);
    Store(1, (landscape ? info.Width : info.Height) * 10.0L);
  }
  if (OnChange) OnChange();
}

void TRptPage::ClearOversizedMargins() {
  if (Stored(3) - Stored(4) - Stored(5) < 0) {
    Store(4, 0);
    Store(5, 0);
  }
  if (Stored(1) - Stored(2) - Stored(0) < 0) {
    Store(2, 0);
    Store(0, 0);
  }
}

}  // namespace ormind
