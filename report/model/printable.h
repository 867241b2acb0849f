#pragma once
// Base of every control that prints on a band: its size in tenths of a millimetre, its pixel
// bounds on the report form, alignment to its band, and the three steps a run calls.
#include <cstdint>
#include <vector>

#include "report/model/canvas.h"
#include "report/model/frame.h"
#include "report/model/units.h"

namespace ormind {

class TCustomReport;
class TRptCustomBand;
class TRptPageTarget;

enum class TRptAlignment { taLeftJustify, taRightJustify, taCenter };

constexpr TRptColor clWhite = 0x00FFFFFF;

struct TRptPixelBounds {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TRptPixelBounds&) const = default;
};

class TRptPrintable {
 public:
  explicit TRptPrintable(TCustomReport& report);
  virtual ~TRptPrintable() = default;
  TRptPrintable(const TRptPrintable&) = delete;
  TRptPrintable& operator=(const TRptPrintable&) = delete;

  TCustomReport& Report() const { return report_; }
  TRptCustomBand* ParentBand() const { return band_; }
  // Called by the band that takes the control.
  void SetParentBand(TRptCustomBand* band);

  TRptPrintableSize& Size() { return size_; }
  const TRptPrintableSize& Size() const { return size_; }
  TRptFrame Frame;
  bool Enabled = true;
  bool Transparent = false;
  TRptColor Color = clWhite;

  TRptAlignment Alignment() const { return alignment_; }
  void SetAlignment(TRptAlignment alignment);
  bool AlignToBand() const { return alignToBand_; }
  void SetAlignToBand(bool align);

  // Bounds in screen pixels on the report form; every change is written back into Size.
  const TRptPixelBounds& Bounds() const { return bounds_; }
  void SetBounds(const TRptPixelBounds& bounds);
  // Re-places the control on its band when it is aligned to it.
  void AlignOnBand();

  // Reading the stored form: plain bounds other than 0 are only remembered; ReadSizeValues
  // sets the pixel bounds from the stored lengths, a remembered value filling any that is 0.
  void ReadPlainBounds(const TRptPixelBounds& plain) { plain_ = plain; }
  void ReadSizeValues(const std::vector<long double>& values);
  // The form has been read completely.
  virtual void Loaded() {}

  // The steps of a page-generation run: before, for every print, after.
  virtual void Prepare(TRptPageTarget& target);
  // Prints at the print position (x, y), tenths of a millimetre.
  virtual void PrintAt(long double x, long double y) = 0;
  virtual void Unprepare();

  bool Printing() const { return printing_; }
  // True when the control has printed all it has.
  bool PrintFinished() const { return printFinished_; }

 protected:
  TRptPageTarget& Target() const { return *target_; }
  void SetPrintFinished(bool finished) { printFinished_ = finished; }
  // The device rectangle of a rectangle in tenths of a millimetre.
  TRptRect DeviceRect(long double left, long double top, long double right,
                      long double bottom) const;
  void DrawFrame(const TRptRect& deviceRect) const;
  int32_t ScreenPixelsPerInch() const { return size_.Scale().PixelsPerInch; }

 private:
  void WriteBoundsToSize();
  // The pixel bounds the stored lengths give; a length of 0 takes the fallback's value.
  TRptPixelBounds BoundsFromSize(const TRptPixelBounds& fallback) const;

  TCustomReport& report_;
  TRptCustomBand* band_ = nullptr;
  TRptPrintableSize size_;
  TRptAlignment alignment_ = TRptAlignment::taLeftJustify;
  bool alignToBand_ = false;
  bool aligning_ = false;
  TRptPixelBounds bounds_;
  TRptPixelBounds plain_;
  TRptPageTarget* target_ = nullptr;
  bool printing_ = false;
  bool printFinished_ = true;
};

}  // namespace ormind
