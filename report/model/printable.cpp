#include "report/model/printable.h"

#include "report/model/band.h"
#include "report/model/page_target.h"
#include "report/model/report.h"

namespace ormind {
namespace {

enum SizeIndex : size_t { kHeight = 0, kLeft = 1, kTop = 2, kWidth = 3 };

}  // namespace

TRptPrintable::TRptPrintable(TCustomReport& report)
    : report_(report), size_(report.Units(), report.UnitScale()) {
  // A length set through Size moves the control on the form.
  size_.OnChange = [this] {
    bounds_ = BoundsFromSize({});
    AlignOnBand();
  };
}

void TRptPrintable::SetParentBand(TRptCustomBand* band) {
  band_ = band;
  AlignOnBand();
}

void TRptPrintable::SetAlignment(TRptAlignment alignment) {
  alignment_ = alignment;
  AlignOnBand();
}

void TRptPrintable::SetAlignToBand(bool align) {
  alignToBand_ = align;
  AlignOnBand();
}

void TRptPrintable::SetBounds(const TRptPixelBounds& bounds) {
  bounds_ = bounds;
  WriteBoundsToSize();
  AlignOnBand();
}

void TRptPrintable::AlignOnBand() {
  if (!alignToBand_ || band_ == nullptr || aligning_) return;
  aligning_ = true;  // SetBounds below comes back here
  const int32_t free = band_->Bounds().Width - bounds_.Width;
  TRptPixelBounds placed = bounds_;
  switch (alignment_) {
    case TRptAlignment::taLeftJustify: placed.Left = 0; break;
    case TRptAlignment::taRightJustify: placed.Left = free; break;
    case TRptAlignment::taCenter: placed.Left = free / 2; break;
  }
  if (!(placed == bounds_)) SetBounds(placed);
  aligning_ = false;
}

void TRptPrintable::ReadSizeValues(const std::vector<long double>& values) {
  size_.ReadValues(values);
  // The stored lengths stay as they are: rounding them to pixels would move the control on
  // screens of other resolutions.
  bounds_ = BoundsFromSize(plain_);
  AlignOnBand();
}

TRptPixelBounds TRptPrintable::BoundsFromSize(const TRptPixelBounds& fallback) const {
  auto pixels = [&](size_t index, bool vertical, int32_t otherwise) {
    const auto v = static_cast<int32_t>(RptRound(size_.ValueIn(index, TRptUnit::Pixels, vertical)));
    return v != 0 ? v : otherwise;
  };
  return {pixels(kLeft, false, fallback.Left), pixels(kTop, true, fallback.Top),
          pixels(kWidth, false, fallback.Width), pixels(kHeight, true, fallback.Height)};
}

void TRptPrintable::WriteBoundsToSize() {
  size_.StoreIn(kLeft, bounds_.Left, TRptUnit::Pixels, false);
  size_.StoreIn(kTop, bounds_.Top, TRptUnit::Pixels, true);
  size_.StoreIn(kWidth, bounds_.Width, TRptUnit::Pixels, false);
  size_.StoreIn(kHeight, bounds_.Height, TRptUnit::Pixels, true);
}

void TRptPrintable::Prepare(TRptPageTarget& target) {
  target_ = &target;
  printing_ = true;
}

void TRptPrintable::Unprepare() {
  printing_ = false;
  printFinished_ = true;
  target_ = nullptr;
}

TRptRect TRptPrintable::DeviceRect(long double left, long double top, long double right,
                                   long double bottom) const {
  return {target_->ToDeviceX(left), target_->ToDeviceY(top), target_->ToDeviceX(right),
          target_->ToDeviceY(bottom)};
}

void TRptPrintable::DrawFrame(const TRptRect& deviceRect) const {
  Frame.Draw(target_->PageCanvas(), deviceRect, target_->FactorX(), target_->FactorY());
}

}  // namespace ormind
