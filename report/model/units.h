#pragma once
// Lengths of the report model. Every length is stored in tenths of a millimetre; a size object
// shows and takes its lengths in its current unit, and keeps one saved unit so that an operation
// can switch to another unit for a while and come back.
#include <cstdint>
#include <functional>
#include <vector>

#include "report/pages/paper.h"
#include "report/model/round.h"

namespace ormind {

enum class TRptUnit : int32_t { MM = 0, Inches = 1, Pixels = 2, Characters = 3, Native = 4 };

// A font size in points as a pixel height on a device of `pixelsPerInch`, rounded half away
// from zero (24 pt at 120 ppi: 40 pixels).
int32_t PointsToPixels(int32_t points, int32_t pixelsPerInch);

// Converts between stored tenths of a millimetre and a unit. `fontPoints` sizes the character
// cell of the Characters unit; `vertical` picks its height instead of its width.
struct TRptUnitScale {
  int32_t PixelsPerInch = 96;  // the screen's, taken when the size object is made
  int32_t Zoom = 100;          // percent
  int32_t FontPoints = 10;

  long double FromStored(long double stored, TRptUnit unit, bool vertical) const;
  long double ToStored(long double value, TRptUnit unit, bool vertical) const;
};

// Base of the three size classes: a fixed list of stored values ("Values"), the current and the
// saved unit, and a notice to the owner whenever a value is set through a property.
class TRptUnitBase {
 public:
  TRptUnitBase(size_t count, TRptUnit unit, const TRptUnitScale& scale);
  virtual ~TRptUnitBase() = default;

  // The stored values as they stand, whatever the unit (the streamed "Values" list).
  const std::vector<long double>& Values() const { return values_; }
  void ReadValues(const std::vector<long double>& values);

  TRptUnit Units() const { return unit_; }
  void SetUnits(TRptUnit unit) { unit_ = unit; }
  // Switches to `unit` until RestoreUnits.
  void SaveUnits(TRptUnit unit);
  void RestoreUnits();

  // One value read or stored in a unit of the caller's choice, without a notice.
  long double ValueIn(size_t index, TRptUnit unit, bool vertical) const {
    return scale_.FromStored(values_[index], unit, vertical);
  }
  void StoreIn(size_t index, long double value, TRptUnit unit, bool vertical) {
    values_[index] = scale_.ToStored(value, unit, vertical);
  }

  TRptUnitScale& Scale() { return scale_; }
  const TRptUnitScale& Scale() const { return scale_; }

  // Called after a value was set through a property (not by ReadValues).
  std::function<void()> OnChange;

 protected:
  long double Get(size_t index, bool vertical) const;
  void Set(size_t index, long double value, bool vertical);
  long double Stored(size_t index) const { return values_[index]; }
  void Store(size_t index, long double stored) { values_[index] = stored; }

 private:
  std::vector<long double> values_;
  TRptUnit unit_;
  TRptUnit saved_;
  TRptUnitScale scale_;
};

// Measurement system defaults for a new page.
struct TRptPageDefaults {
  TRptUnit Unit = TRptUnit::MM;
  TRptPaperSize Paper = TRptPaperSize::A4;
  long double Margin = 100;  // tenths of a millimetre, all four sides
};
TRptPageDefaults PageDefaultsFor(bool usMeasurement);

enum class TRptColumnOrder { ColumnByColumn, RowByRow };

// The report's paper: BottomMargin, Length, TopMargin, Width, LeftMargin, RightMargin,
// ColumnSpace in this stored order.
class TRptPage : public TRptUnitBase {
 public:
  TRptPage(const TRptPageDefaults& defaults, const TRptUnitScale& scale);

  long double BottomMargin() const { return Get(0, true); }
  long double Length() const { return Get(1, true); }
  long double TopMargin() const { return Get(2, true); }
  long double Width() const { return Get(3, false); }
  long double LeftMargin() const { return Get(4, false); }
  long double RightMargin() const { return Get(5, false); }
  long double ColumnSpace() const { return Get(6, false); }
  void SetBottomMargin(long double v) { Set(0, v, true); }
  void SetTopMargin(long double v) { Set(2, v, true); }
  void SetLeftMargin(long double v) { Set(4, v, false); }
  void SetRightMargin(long double v) { Set(5, v, false); }
  void SetColumnSpace(long double v) { Set(6, v, false); }
  // Only while the paper size is Custom.
  void SetLength(long double v);
  void SetWidth(long double v);

  int32_t Columns() const { return columns_; }
  void SetColumns(int32_t columns);
  TRptOrientation Orientation() const { return orientation_; }
  void SetOrientation(TRptOrientation orientation);
  TRptPaperSize PaperSize() const { return paper_; }
  void SetPaperSize(TRptPaperSize size);
  TRptColumnOrder ColumnOrder = TRptColumnOrder::ColumnByColumn;
  bool Ruler = true;

  // Raw tenths of a millimetre, whatever the unit (what a run works with).
  long double StoredWidth() const { return Stored(3); }
  long double StoredLength() const { return Stored(1); }
  long double StoredLeftMargin() const { return Stored(4); }
  long double StoredRightMargin() const { return Stored(5); }
  long double StoredTopMargin() const { return Stored(2); }
  long double StoredBottomMargin() const { return Stored(0); }
  long double StoredColumnSpace() const { return Stored(6); }
  // A run's margin check: opposite margins larger than the paper both become 0.
  void ClearOversizedMargins();

 private:
  int32_t columns_ = 1;
  TRptOrientation orientation_ = TRptOrientation::Portrait;
  TRptPaperSize paper_ = TRptPaperSize::A4;
};

// A band's Height and Width, in this stored order.
class TRptBandSize : public TRptUnitBase {
 public:
  explicit TRptBandSize(TRptUnit unit, const TRptUnitScale& scale) : TRptUnitBase(2, unit, scale) {}
  long double Height() const { return Get(0, true); }
  long double Width() const { return Get(1, false); }
  void SetHeight(long double v) { Set(0, v, true); }
  void SetWidth(long double v) { Set(1, v, false); }
};

// A printable control's Height, Left, Top and Width, in this stored order.
class TRptPrintableSize : public TRptUnitBase {
 public:
  explicit TRptPrintableSize(TRptUnit unit, const TRptUnitScale& scale)
      : TRptUnitBase(4, unit, scale) {}
  long double Height() const { return Get(0, true); }
  long double Left() const { return Get(1, false); }
  long double Top() const { return Get(2, true); }
  long double Width() const { return Get(3, false); }
  void SetHeight(long double v) { Set(0, v, true); }
  void SetLeft(long double v) { Set(1, v, false); }
  void SetTop(long double v) { Set(2, v, true); }
  void SetWidth(long double v) { Set(3, v, false); }
};

}  // namespace ormind
