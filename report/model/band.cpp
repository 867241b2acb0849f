#include "report/model/band.h"

#include "report/model/report.h"

namespace ormind {

TRptCustomBand::TRptCustomBand(TCustomReport& report, TRptBandType type)
    : BandType(type), report_(report), size_(report.Units(), report.UnitScale()) {
  bounds_.Height = kDefaultPixelHeight;
  size_.StoreIn(0, kDefaultPixelHeight, TRptUnit::Pixels, true);
  // A height set through Size changes the band on the form and moves the bands below it.
  size_.OnChange = [this] {
    bounds_.Height = static_cast<int32_t>(RptRound(size_.ValueIn(0, TRptUnit::Pixels, true)));
    report_.LayoutBands();
  };
}

void TRptCustomBand::Add(TRptPrintable& control) {
  printables_.push_back(&control);
  control.SetParentBand(this);
}

void TRptCustomBand::PlaceOnReport(int32_t left, int32_t top, int32_t width) {
  const bool widthChanged = width != bounds_.Width;
  bounds_.Left = left;
  bounds_.Top = top;
  bounds_.Width = width;
  size_.StoreIn(1, width, TRptUnit::Pixels, false);
  if (widthChanged) {
    for (TRptPrintable* control : printables_) control->AlignOnBand();
  }
}

void TRptCustomBand::ReadSizeValues(const std::vector<long double>& values, int32_t plainHeight) {
  size_.ReadValues(values);
  bounds_.Height = static_cast<int32_t>(RptRound(size_.ValueIn(0, TRptUnit::Pixels, true)));
  if (plainHeight != 0 && plainHeight != kDefaultPixelHeight &&
      bounds_.Height == kDefaultPixelHeight) {
    bounds_.Height = plainHeight;
  }
}

long double TRptCustomBand::StretchHeight() const {
  long double height = size_.ValueIn(0, TRptUnit::Native, true);
  // A chain that runs into a loop is cut where it comes back.
  int steps = 0;
  for (const TRptCustomBand* link = LinkBand; link != nullptr && link != this && steps < 64;
       link = link->LinkBand, ++steps) {
    height += link->size_.ValueIn(0, TRptUnit::Native, true);
  }
  return height;
}

bool TRptCustomBand::Expand(long double lineHeight, bool firstExtraLine) {
  const long double height = size_.ValueIn(0, TRptUnit::Native, true);
  if (report_.SpaceLeftOnPage() < RptRound(lineHeight + height + expansion_)) return false;
  if (!(firstExtraLine && expansion_ > lineHeight)) expansion_ += lineHeight;
  return true;
}

}  // namespace ormind
