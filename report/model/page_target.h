#pragma once
// What a page-generation run of a report needs from the page printer it runs onto. The page
// printer (`TRptPrinter`) implements it; the report's own tests implement it with a recording
// fake, so the layout rules run without a device.
#include <cstdint>
#include <string>

#include "report/model/canvas.h"
#include "report/pages/paper.h"

namespace ormind {

// Paper bins and their device-mode source codes (table order matters: the first bin whose code
// matches a device's default source is the one read back).
enum class TRptBin : int32_t {
  First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor, SmallFormat,
  LargeFormat, LargeCapacity, Cassette, Last
};

// The report's printer values, handed to the page printer before each document. Each goes
// through the printer's own setters, so a value the device does not support leaves the device's
// own value in place.
struct TRptJobSettings {
  int32_t PrinterIndex = -1;  // -1: the system's default printer
  TRptPaperSize PaperSize = TRptPaperSize::A4;
  double CustomWidth = 0;     // 0.1 mm, used for Custom only
  double CustomLength = 0;
  TRptOrientation Orientation = TRptOrientation::Portrait;
  int32_t Copies = 1;
  bool Duplex = false;
  TRptBin Bin = TRptBin::Auto;
  int32_t FirstPage = 0;      // 0: unbounded on that side
  int32_t LastPage = 0;
  std::string Title;          // the print job's document name (UTF-8)
  bool Compression = false;   // pages stored packed
};

class TRptPageTarget {
 public:
  virtual ~TRptPageTarget() = default;

  virtual void ApplyJobSettings(const TRptJobSettings& settings) = 0;
  // "Report printer not ready" unless the printer is ready.
  virtual void OpenDocument() = 0;
  // "Illegal call to NewPage" unless a document is open. Called for every page, the first too.
  virtual void NewPage() = 0;
  virtual void CloseDocument() = 0;
  virtual void AbandonDocument() = 0;

  // The canvas of the page being drawn (valid after NewPage).
  virtual TRptCanvas& PageCanvas() = 0;

  // 0.1 mm to device pixels, rounding halves to even.
  virtual int32_t ToDeviceX(long double x) const = 0;
  virtual int32_t ToDeviceY(long double y) const = 0;
  virtual int32_t ToDeviceWidth(long double w) const = 0;
  virtual int32_t ToDeviceHeight(long double h) const = 0;
  // Device pixels per 0.1 mm of the page being drawn.
  virtual long double FactorX() const = 0;
  virtual long double FactorY() const = 0;
  // The paper's width and length in 0.1 mm for the current orientation.
  virtual long double PaperWidthValue() const = 0;
  virtual long double PaperLengthValue() const = 0;

  // Set by the progress window's Cancel or by closing the preview during the run.
  virtual bool CancelRequested() const = 0;
  virtual void SetProgress(int32_t percent) = 0;
  // Lets pending window messages run (a no-op where there is no message loop).
  virtual void ProcessMessages() = 0;
};

}  // namespace ormind
