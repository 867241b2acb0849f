#pragma once
// A band of the report: a strip of the page that holds printable controls and is printed as a
// whole (title, page header, detail, ...).
#include <cstdint>
#include <functional>
#include <vector>

#include "report/model/frame.h"
#include "report/model/printable.h"
#include "report/model/units.h"

namespace ormind {

enum class TRptBandType : int32_t {
  rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbGroupHeader, rbGroupFooter,
  rbSubDetail, rbColumnHeader, rbOverlay, rbChild
};

class TRptCustomBand {
 public:
  static constexpr int32_t kDefaultPixelHeight = 40;

  TRptCustomBand(TCustomReport& report, TRptBandType type);
  virtual ~TRptCustomBand() = default;
  TRptCustomBand(const TRptCustomBand&) = delete;
  TRptCustomBand& operator=(const TRptCustomBand&) = delete;

  TCustomReport& Report() const { return report_; }
  TRptBandType BandType;
  TRptBandSize& Size() { return size_; }
  const TRptBandSize& Size() const { return size_; }
  TRptColor Color = clWhite;
  bool Enabled = true;
  bool ForceNewPage = false;
  bool ForceNewColumn = false;
  bool AlignToBottom = false;
  TRptCustomBand* ChildBand = nullptr;  // printed right after this one (HasChild)
  TRptCustomBand* LinkBand = nullptr;   // kept on the same page as this one
  TRptFrame Frame;
  // May set `print` to false to skip the band.
  std::function<void(TRptCustomBand&, bool& print)> BeforePrint;
  std::function<void(TRptCustomBand&, bool printed)> AfterPrint;

  // The band's controls in the order they print.
  void Add(TRptPrintable& control);
  const std::vector<TRptPrintable*>& Printables() const { return printables_; }

  // Pixel geometry on the report form (left and top within the report, width, height).
  const TRptPixelBounds& Bounds() const { return bounds_; }
  // Set by the report when it lays its bands out; the width is written back into Size.
  void PlaceOnReport(int32_t left, int32_t top, int32_t width);
  // Reading the stored form: the height follows the stored values; a remembered plain height
  // other than the default is used only while the band is still at the default height.
  void ReadSizeValues(const std::vector<long double>& values, int32_t plainHeight = 0);

  // Its height plus that of the bands linked to it, tenths of a millimetre (during a run).
  long double StretchHeight() const;

  // How far its controls have stretched it on the current page (tenths of a millimetre).
  long double Expansion() const { return expansion_; }
  void ResetExpansion() { expansion_ = 0; }
  // A control asks for one more line of height `lineHeight`; true when the page has room.
  bool Expand(long double lineHeight, bool firstExtraLine);

 private:
  TCustomReport& report_;
  TRptBandSize size_;
  TRptPixelBounds bounds_;
  std::vector<TRptPrintable*> printables_;
  long double expansion_ = 0;
};

class TRptBand : public TRptCustomBand {
 public:
  using TRptCustomBand::TRptCustomBand;
};

}  // namespace ormind
