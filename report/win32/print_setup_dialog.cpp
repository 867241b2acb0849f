#include "report/win32/print_setup_dialog.h"

#include "report/pages/error.h"
#include "report/printer/print_setup.h"
#include "report/win32/print_dialog.h"

namespace ormind {
namespace {

TRptDeviceMode RequireDeviceMode(TRptWin32PrinterDevice& printer) {
  TRptDeviceMode mode;
  if (!printer.ReadDeviceMode(mode)) throw ERptError("Operation not supported on selected printer");
  return mode;
}

}  // namespace

bool RunReportPrintSetup(TCustomReport& report, const TRptPrinter* pagePrinter,
                         TRptWin32PrinterDevice& sharedPrinter, HWND owner) {
  TRptPrintDialog dialog(sharedPrinter);
  sharedPrinter.ResetDeviceMode();  // the driver's defaults, then the report's printer
  sharedPrinter.SelectPrinter(report.PrinterSettings.PrinterIndex);

  const TRptPrintSetupPages pages = PrintSetupPages(pagePrinter);
  dialog.MinPage = pages.MinPage;
  dialog.MaxPage = pages.MaxPage;
  dialog.FromPage = pages.FromPage;
  dialog.ToPage = pages.ToPage;
  dialog.Options = poPageNums | poWarning;

  TRptDeviceMode mode = RequireDeviceMode(sharedPrinter);
  mode.Fields |= dmOrientation | dmCopies;
  mode.Orientation = report.Page().Orientation() == TRptOrientation::Landscape ? 2 : 1;
  mode.Copies = report.PrinterSettings.Copies;
  sharedPrinter.WriteDeviceMode(mode);
  dialog.Copies = report.PrinterSettings.Copies;

  if (!dialog.Execute(owner)) return false;
  TRptPrintSetupChoice choice;
  choice.Copies = dialog.Copies;
  choice.PrinterIndex = sharedPrinter.PrinterIndex();
  choice.Orientation = RequireDeviceMode(sharedPrinter).Orientation == 2
                           ? TRptOrientation::Landscape
                           : TRptOrientation::Portrait;
  choice.Range = static_cast<TRptPrintRange>(dialog.PrintRange);
  choice.FromPage = dialog.FromPage;
  choice.ToPage = dialog.ToPage;
  ApplyPrintSetup(report, choice);
  return true;
}

}  // namespace ormind
