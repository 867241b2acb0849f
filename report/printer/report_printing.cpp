#include "report/printer/report_printing.h"

#include <exception>
#include <optional>
#include <string>

namespace ormind {

TRptReportPrinting::TRptReportPrinting(TCustomReport& report, TRptPrintingPlatform platform)
    : report_(report), platform_(std::move(platform)) {}

TRptReportPrinting::~TRptReportPrinting() {
  if (report_.PreviewOperation) report_.PreviewOperation = nullptr;
  if (report_.PrintOperation) report_.PrintOperation = nullptr;
}

void TRptReportPrinting::Attach() {
  report_.PreviewOperation = [this](TCustomReport&) { Preview(); };
  report_.PrintOperation = [this](TCustomReport&) { PrintToPrinter(); };
}

std::unique_ptr<TRptPrinter> TRptReportPrinting::MakePagePrinter() {
  if (report_.Generating()) return nullptr;
  auto printer = std::make_unique<TRptPrinter>(platform_.MakeDevice(), *platform_.Recorder,
                                               *platform_.Messages);
  printer->SetOwnerReport(platform_.ReportWindow);
  printer->SetJobTitle(report_.ReportTitle);
  return printer;
}

void TRptReportPrinting::Preview() {
  // A preview already open keeps its printer; a second one would orphan it.
  if (previewPrinter_ || report_.Generating()) return;
  previewPrinter_ = MakePagePrinter();
  TRptPrinter& printer = *previewPrinter_;
  printer.SetTarget(TRptOutputTarget::ToMetafile);
  printer.SetReleaseHandler([this](TRptPrinter& p) { ReleasePreviewPrinter(p); });
  if (platform_.PrintSetup) {
    printer.SetPrintSetupHook([this](TRptPrinter& p) { platform_.PrintSetup(p, report_); });
  }
  if (platform_.ShowPreview) printer.SetPreviewHook(platform_.ShowPreview);
  std::optional<std::string> failure;
  try {
    // A close during the run only records a cancel; the printer goes when the run ends.
    TRptPrinterOperation operation(printer);
    printer.OpenPreview();
    printer.ProcessMessages();
    if (!printer.CancelRequested()) report_.GeneratePages(printer);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (failure) {
    // The user is told, and the preview of a run that failed goes, so that nothing half-made
    // stays open holding the report's one preview.
    platform_.Messages->ShowMessage(*failure);
    if (previewPrinter_ && previewPrinter_->PreviewShown() && platform_.ClosePreview) {
      platform_.ClosePreview(*previewPrinter_);
    }
  }
  WaitForPreviewToClose();
}

void TRptReportPrinting::WaitForPreviewToClose() {
  while (previewPrinter_ && previewPrinter_->PreviewShown()) {
    if (!platform_.HandleOneMessage()) return;  // the program is ending
  }
  // No window shows the printer (none opened, or it let go without a notice): nothing would
  // ever release it otherwise.
  if (previewPrinter_) previewPrinter_->ReleaseWhenIdle();
}

TRptPrintOutcome TRptReportPrinting::PrintToPrinter() {
  std::unique_ptr<TRptPrinter> printer = MakePagePrinter();
  if (!printer) return TRptPrintOutcome::AlreadyGenerating;
  if (!printer->PrinterAvailable()) return TRptPrintOutcome::NoPrinter;
  printer->SetTarget(TRptOutputTarget::ToPrinter);
  std::shared_ptr<void> progress;
  if (report_.ShowProgress && platform_.ShowProgress) {
    const TRptWindowRef owner = previewPrinter_ ? previewPrinter_->NotifyTarget() : 0;
    progress = platform_.ShowProgress(*printer, owner);
  }
  report_.GeneratePages(*printer);
  // The progress window goes before the printer it shows.
  progress.reset();
  return report_.Cancelled() ? TRptPrintOutcome::Cancelled : TRptPrintOutcome::Printed;
}

void TRptReportPrinting::PreviewClosed(const TRptPrinter* named) {
  TRptPrinter* printer = previewPrinter_.get();
  if (printer == nullptr || printer != named) return;
  // Only the preview's own generation stops; a print started from it runs on its own printer
  // and finishes.
  if (report_.Generating() && printer->Phase() == TRptPrinterPhase::Busy) report_.Cancel();
  if (printer->PreviewShown()) printer->SetPreviewShown(false);
  printer->ReleaseWhenIdle();
}

void TRptReportPrinting::ReleasePreviewPrinter(TRptPrinter& printer) {
  if (&printer != previewPrinter_.get()) return;
  // Moved out first: the printer's destruction may run handlers that look at this object.
  std::unique_ptr<TRptPrinter> released = std::move(previewPrinter_);
  released.reset();
}

}  // namespace ormind
