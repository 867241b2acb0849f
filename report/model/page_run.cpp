#include "report/model/page_run.h"

#include <string>

#include "report/model/controller.h"
#include "report/model/report.h"

namespace ormind {
namespace {

// Bands a forced new page or column does not apply to.
bool PageFurniture(TRptBandType type) {
  return type == TRptBandType::rbTitle || type == TRptBandType::rbPageHeader ||
         type == TRptBandType::rbPageFooter || type == TRptBandType::rbOverlay;
}

// Bands that start pages print page headers, which may start pages themselves; a layout that
// nests deeper than this has no page it fits on.
constexpr int32_t kMaxNesting = 16;

long double StoredHeight(const TRptCustomBand& band) {
  return band.Size().ValueIn(0, TRptUnit::Native, true);
}

long double StoredWidth(const TRptCustomBand& band) {
  return band.Size().ValueIn(1, TRptUnit::Native, false);
}

}  // namespace

TRptPageRun::TRptPageRun(TCustomReport& report, TRptPageTarget& target)
    : report_(report), target_(target) {
  report_.run_ = this;
}

TRptPageRun::~TRptPageRun() { report_.run_ = nullptr; }

void TRptPageRun::Execute() {
  if (!Begin()) return;
  bool prepared = false;
  try {
    report_.SwitchUnitsForRun(true);
    target_.ApplyJobSettings(JobSettings());
    target_.OpenDocument();
    documentOpen_ = true;
    prepared = true;
    for (TRptPrintable* control : report_.AllPrintables()) control->Prepare(target_);
    Run();
  } catch (...) {
    // Whatever failed, the report stays usable for the next run.
    Cleanup(prepared);
    try {
      EndDocument();
    } catch (...) {
      // The first failure is the one to report.
    }
    throw;
  }
  Cleanup(prepared);
  EndDocument();
}

bool TRptPageRun::Begin() {
  wasVisible_ = report_.Visible;
  report_.Page().ClearOversizedMargins();
  report_.available_ = false;
  report_.cancelled_ = false;
  report_.pageCount_ = 0;
  bool print = true;
  if (report_.BeforePrint) report_.BeforePrint(report_, print);
  if (!print) report_.available_ = true;
  return print;
}

void TRptPageRun::Run() {
  const TRptPage& page = report_.Page();
  y_ = -1;
  column_ = page.Columns();
  pageFooters_ = PageFooterHeight();
  x_ = RptRound(page.StoredLeftMargin());
  report_.Functions["PAGENUMBER"] = "0";
  report_.Functions["COLUMNNUMBER"] = std::to_string(column_);
  report_.Functions["REPORTTITLE"] = report_.ReportTitle;
  TRptController controller(report_, *this);
  controller.Execute();
  x_ = RptRound(page.StoredLeftMargin());
  lastPage_ = true;
  if (!Stopped()) FinishPage();
}

void TRptPageRun::Cleanup(bool prepared) {
  report_.SwitchUnitsForRun(false);
  if (prepared) {
    for (TRptPrintable* control : report_.AllPrintables()) control->Unprepare();
  }
  report_.Visible = wasVisible_;
  report_.available_ = true;
}

void TRptPageRun::EndDocument() {
  if (!documentOpen_) return;
  documentOpen_ = false;
  if (report_.cancelled_) {
    target_.AbandonDocument();
  } else {
    target_.CloseDocument();
  }
}

TRptJobSettings TRptPageRun::JobSettings() const {
  const TRptPage& page = report_.Page();
  const TReportPrinterSettings& printer = report_.PrinterSettings;
  TRptJobSettings job;
  job.PrinterIndex = printer.PrinterIndex;
  job.PaperSize = page.PaperSize();
  job.CustomWidth = static_cast<double>(page.StoredWidth());
  job.CustomLength = static_cast<double>(page.StoredLength());
  job.Orientation = page.Orientation();
  job.Copies = printer.Copies;
  job.Duplex = printer.Duplex;
  job.Bin = printer.OutputBin;
  job.FirstPage = printer.FirstPage;
  job.LastPage = printer.LastPage;
  job.Title = report_.ReportTitle;
  job.Compression = (report_.Options & Compression) != 0;
  return job;
}

long double TRptPageRun::PageFooterHeight() const {
  long double total = 0;
  for (const TRptCustomBand* band : report_.Bands()) {
    if (band->BandType != TRptBandType::rbPageFooter || !band->Enabled) continue;
    int steps = 0;
    for (const TRptCustomBand* b = band; b != nullptr && steps < kMaxNesting;
         b = b->ChildBand, ++steps) {
      total += StoredHeight(*b);
    }
  }
  return total;
}

bool TRptPageRun::Stopped() {
  if (target_.CancelRequested()) report_.cancelled_ = true;
  return report_.cancelled_;
}

int64_t TRptPageRun::SpaceLeftOnPage() const {
  if (y_ == -1) return 0;
  const TRptPage& page = report_.Page();
  return RptRound(target_.PaperLengthValue() - page.StoredBottomMargin() - pageFooters_ - y_);
}

void TRptPageRun::PrintBand(TRptCustomBand* band) {
  if (band == nullptr || nesting_ >= kMaxNesting || Stopped()) return;
  ++nesting_;
  struct Leave {
    int32_t& n;
    ~Leave() { --n; }
  } leave{nesting_};

  if (band->AlignToBottom) {
    const bool ignoreFooters = band->BandType == TRptBandType::rbSummary &&
                               (report_.Options & LastPageFooter) == 0;
    const int64_t bottom =
        RptRound(target_.PaperLengthValue() - report_.Page().StoredBottomMargin() -
                 StoredHeight(*band) - (ignoreFooters ? 0 : pageFooters_));
    if (y_ < bottom) y_ = bottom;
  }
  bool print = band->Enabled;
  if (print && band->BeforePrint) band->BeforePrint(*band, print);
  if (!print) return;
  if (!MakeRoomFor(*band) || Stopped()) return;
  PrintPasses(*band);
  if (Stopped()) return;
  if (band->AfterPrint) band->AfterPrint(*band, true);
  PrintBand(band->ChildBand);
}

bool TRptPageRun::MakeRoomFor(TRptCustomBand& band) {
  const bool pageBegun = y_ != -1;
  if (!PageFurniture(band.BandType) && pageBegun && (band.ForceNewPage || band.ForceNewColumn)) {
    if (band.ForceNewPage) {
      NewPage();
    } else {
      NewColumn();
    }
    return y_ != -1;
  }
  const TRptPage& page = report_.Page();
  const long double h = band.StretchHeight();
  const long double usable = page.StoredLength() - page.StoredTopMargin() - page.StoredBottomMargin();
  const bool noRoom = band.BandType != TRptBandType::rbPageFooter &&
                      SpaceLeftOnPage() < RptRound(h) && h <= usable;
  if (noRoom || !pageBegun) NewColumn();
  return y_ != -1;
}

void TRptPageRun::PrintPasses(TRptCustomBand& band) {
  const long double width = StoredWidth(band), height = StoredHeight(band);
  TRptCanvas& canvas = target_.PageCanvas();
  canvas.FillRect({target_.ToDeviceX(x_), target_.ToDeviceY(y_), target_.ToDeviceX(x_ + width),
                   target_.ToDeviceY(y_ + height)},
                  band.Color);
  band.ResetExpansion();
  for (bool firstPass = true;; firstPass = false) {
    bool unfinished = false;
    for (TRptPrintable* control : band.Printables()) {
      if (!control->Enabled || (!firstPass && control->PrintFinished())) continue;
      control->PrintAt(x_, y_);
      unfinished = unfinished || !control->PrintFinished();
    }
    band.Frame.Draw(target_.PageCanvas(),
                    {target_.ToDeviceX(x_), target_.ToDeviceY(y_), target_.ToDeviceX(x_ + width),
                     target_.ToDeviceY(y_ + height + band.Expansion() + 1)},
                    target_.FactorX(), target_.FactorY());
    if (!unfinished) break;
    NewColumn();
    band.ResetExpansion();
    if (Stopped()) return;
  }
  y_ += RptRound(height + band.Expansion());
  band.ResetExpansion();
}

void TRptPageRun::NewColumn() {
  const TRptPage& page = report_.Page();
  if (column_ >= page.Columns()) {
    column_ = 1;
    x_ = RptRound(page.StoredLeftMargin());
    NewPage();
  } else {
    const long double space = page.StoredColumnSpace();
    const long double columnWidth =
        (page.StoredWidth() - page.StoredLeftMargin() - page.StoredRightMargin() -
         space * (page.Columns() - 1)) / page.Columns();
    ++column_;
    x_ += RptRound(columnWidth + space);
    y_ = columnTop_;
  }
  report_.Functions["COLUMNNUMBER"] = std::to_string(column_);
  if (!(column_ == 1 && report_.pageCount_ == 1)) {
    PrintBand(report_.FindBand(TRptBandType::rbColumnHeader));
  }
}

void TRptPageRun::NewPage() {
  if (Stopped()) return;
  FinishPage();
  ++report_.pageCount_;
  report_.Functions["PAGENUMBER"] = std::to_string(report_.pageCount_);
  target_.NewPage();
  y_ = RptRound(report_.Page().StoredTopMargin());
  if (report_.OnStartPage) report_.OnStartPage(report_);
  if (report_.pageCount_ > 1 || (report_.Options & FirstPageHeader) != 0) {
    PrintBand(report_.FindBand(TRptBandType::rbPageHeader));
  }
  columnTop_ = y_;
  const TRptCustomBand* title = report_.FindBand(TRptBandType::rbTitle);
  if (report_.pageCount_ == 1 && title != nullptr) columnTop_ += RptRound(StoredHeight(*title));
}

void TRptPageRun::FinishPage() {
  if (y_ == -1) return;
  const TRptPage& page = report_.Page();
  const long double bottom = target_.PaperLengthValue() - page.StoredBottomMargin();
  y_ = RptRound(bottom - pageFooters_);
  x_ = RptRound(page.StoredLeftMargin());
  if (!(lastPage_ && (report_.Options & LastPageFooter) == 0)) {
    PrintBand(report_.FindBand(TRptBandType::rbPageFooter));
  }
  for (TRptPrintable* control : report_.ReportPrintables()) {
    if (control->Enabled) control->PrintAt(0, 0);
  }
  report_.Frame.Draw(target_.PageCanvas(),
                     {target_.ToDeviceX(page.StoredLeftMargin()),
                      target_.ToDeviceY(page.StoredTopMargin()),
                      target_.ToDeviceX(target_.PaperWidthValue() - page.StoredRightMargin()),
                      target_.ToDeviceY(bottom)},
                     target_.FactorX(), target_.FactorY());
  if (report_.OnEndPage) report_.OnEndPage(report_);
}

}  // namespace ormind
