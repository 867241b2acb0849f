#include "report/printer/print_setup.h"

namespace ormind {

TRptPrintSetupPages PrintSetupPages(const TRptPrinter* pagePrinter) {
  TRptPrintSetupPages pages;
  if (pagePrinter != nullptr && pagePrinter->Phase() == TRptPrinterPhase::Finished) {
    pages.MinPage = 1;
    pages.MaxPage = pagePrinter->PageCount();
    pages.FromPage = 1;
    pages.ToPage = pages.MaxPage;
  }
  return pages;
}

void ApplyPrintSetup(TCustomReport& report, const TRptPrintSetupChoice& choice) {
  TReportPrinterSettings& settings = report.PrinterSettings;
  settings.Copies = choice.Copies;
  settings.PrinterIndex = choice.PrinterIndex;
  report.Page().SetOrientation(choice.Orientation);
  const bool numbered = choice.Range == TRptPrintRange::PageNumbers;
  settings.FirstPage = numbered ? choice.FromPage : 0;
  settings.LastPage = numbered ? choice.ToPage : 0;
}

}  // namespace ormind
