#include "report/win32/print_operation.h"

#include <memory>

#include "report/printer/printer.h"
#include "report/win32/progress_form.h"
#include "report/win32/win32_printer_device.h"

namespace ormind {

TRptPrintOutcome PrintReportOnPrinter(TCustomReport& report, TRptPageRecorder& recorder,
                                      TRptMessagePort& messages) {
  if (report.Generating()) return TRptPrintOutcome::AlreadyGenerating;
  TRptPrinter printer(std::make_unique<TRptWin32PrinterDevice>(), recorder, messages);
  if (!printer.PrinterAvailable()) return TRptPrintOutcome::NoPrinter;
  printer.SetTarget(TRptOutputTarget::ToPrinter);
  // Declared after the printer it refers to, so it goes first.
  std::unique_ptr<TRptProgressForm> progress;
  if (report.ShowProgress) {
    progress = std::make_unique<TRptProgressForm>(printer);
    progress->Show();
    printer.SetNotifyTarget(progress->NoticeTarget());
  }
  report.GeneratePages(printer);
  return report.Cancelled() ? TRptPrintOutcome::Cancelled : TRptPrintOutcome::Printed;
}

}  // namespace ormind
