#pragma once
// The report form: its page, bands and controls, its properties and events, and the entry that
// runs one page generation onto a page target.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "report/model/band.h"
#include "report/model/canvas.h"
#include "report/model/engine_settings.h"
#include "report/model/frame.h"
#include "report/model/page_target.h"
#include "report/model/printable.h"
#include "report/model/units.h"

namespace ormind {

enum TReportOption : uint32_t { FirstPageHeader = 1, LastPageFooter = 2, Compression = 4 };

// The printer values the report hands to each page printer it runs onto.
struct TReportPrinterSettings {
  int32_t Copies = 1;
  bool Duplex = false;
  int32_t FirstPage = 0;  // 0: all
  int32_t LastPage = 0;
  TRptBin OutputBin = TRptBin::Auto;
  int32_t PrinterIndex = -1;  // the system's default printer
};

class TRptPageRun;

class TCustomReport {
 public:
  // `referenceCanvas` is compatible with the screen: all text is measured on it, and its
  // resolution is the one the form's pixel geometry is read at.
  TCustomReport(TRptCanvas& referenceCanvas, const TRptEngineSettings& engine);
  virtual ~TCustomReport();
  TCustomReport(const TCustomReport&) = delete;
  TCustomReport& operator=(const TCustomReport&) = delete;

  TRptPage& Page() { return page_; }
  const TRptPage& Page() const { return page_; }
  // The unit of the page, every band and every control.
  TRptUnit Units() const { return units_; }
  void SetUnits(TRptUnit unit);
  int32_t Zoom() const { return scale_.Zoom; }
  void SetZoom(int32_t zoom);  // 1 to 300; other values are ignored

  uint32_t Options = FirstPageHeader | LastPageFooter;
  bool PrintIfEmpty = true;
  std::string ReportTitle;
  TRptFont Font;
  TRptFrame Frame;
  TRptColor Color = clWhite;
  TReportPrinterSettings PrinterSettings;
  bool ShowProgress = true;
  bool SnapToGrid = false;
  bool Visible = false;
  std::string Description;
  // Constants the expressions of the report can read.
  std::map<std::string, std::string> Functions;

  std::function<void(TCustomReport&, bool& print)> BeforePrint;
  std::function<void(TCustomReport&)> AfterPrint;
  std::function<void(TCustomReport&)> OnStartPage;
  std::function<void(TCustomReport&)> OnEndPage;

  TRptCanvas& ReferenceCanvas() const { return reference_; }
  const TRptUnitScale& UnitScale() const { return scale_; }
  int32_t ScreenPixelsPerInch() const { return scale_.PixelsPerInch; }

  // The form: bands in order, and controls placed on the report itself.
  void AddBand(TRptCustomBand& band);
  const std::vector<TRptCustomBand*>& Bands() const { return bands_; }
  TRptCustomBand* FindBand(TRptBandType type) const;
  void AddPrintable(TRptPrintable& control);
  const std::vector<TRptPrintable*>& ReportPrintables() const { return ownPrintables_; }
  // Every control: those of the bands in band order, then those on the report.
  std::vector<TRptPrintable*> AllPrintables() const;
  // The form has been read: controls finish loading, bands are laid out again.
  void Loaded();
  // Places every band: left at the left margin, consecutive tops from the top margin.
  void LayoutBands();
  // The report's size on the form, in screen pixels.
  int32_t PixelWidth() const;
  int32_t PixelHeight() const;

  // Runs one page generation onto `target`. Does nothing while a run is in progress.
  void GeneratePages(TRptPageTarget& target);
  bool Available() const { return available_; }
  bool Generating() const { return run_ != nullptr; }
  // Cancels the run in progress: its last page is not finished and the document is abandoned.
  void Cancel();
  bool Cancelled() const { return cancelled_; }
  // Pages begun by the last (or current) run.
  int32_t PageCount() const { return pageCount_; }
  // Room left on the current page for bands, tenths of a millimetre (0 before the first page).
  int64_t SpaceLeftOnPage() const;

  // The preview and print operations make a page printer and run GeneratePages onto it; they
  // are wired in by the code that owns the windows. Unwired, they do nothing.
  std::function<void(TCustomReport&)> PreviewOperation;
  std::function<void(TCustomReport&)> PrintOperation;
  void Preview();
  void Print();

  // With a handler, the controller asks it for each record (TReport's OnNeedData).
  virtual const std::function<void(bool& moreData)>* NeedDataHandler() const { return nullptr; }

 private:
  friend class TRptPageRun;
  int32_t BandPixelWidth(const TRptCustomBand& band) const;
  void SwitchUnitsForRun(bool toNative);

  TRptCanvas& reference_;
  TRptUnitScale scale_;
  TRptUnit units_;
  TRptPage page_;
  std::vector<TRptCustomBand*> bands_;
  std::vector<TRptPrintable*> ownPrintables_;
  bool available_ = true;
  bool cancelled_ = false;
  int32_t pageCount_ = 0;
  TRptPageRun* run_ = nullptr;
};

class TReport : public TCustomReport {
 public:
  using TCustomReport::TCustomReport;
  // Sets moreData to true while there is one more record to print.
  std::function<void(bool& moreData)> OnNeedData;
  const std::function<void(bool& moreData)>* NeedDataHandler() const override {
    return OnNeedData ? &OnNeedData : nullptr;
  }
};

}  // namespace ormind
