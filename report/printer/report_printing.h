#pragma once
// The report's preview and print operations: the page printers a report runs onto, the preview
// that shows the pages, a second generation straight to the printer, and the report's answer to
// the notices its page printers send (print again, the preview closed).
//
// Ownership. The preview's page printer lives here from the preview's opening until the close
// notice that names it; the notice releases it through ReleaseWhenIdle, so a generation or a
// print still using it ends first. A print makes its own printer and frees it when the print
// ends. While a preview is open a second preview request does nothing: one report, one preview.
#include <functional>
#include <memory>

#include "report/printer/printer.h"
#include "report/model/report.h"

namespace ormind {

// What the operations need from the platform's window system and printing.
struct TRptPrintingPlatform {
  // A platform printer on the system's default printer.
  std::function<std::unique_ptr<TRptPrinterDevice>()> MakeDevice;
  TRptPageRecorder* Recorder = nullptr;
  TRptMessagePort* Messages = nullptr;
  // The report's own window, which receives WM_REPORT_PRINT and WM_REPORT_PREVIEW_CLOSED.
  TRptWindowRef ReportWindow = 0;
  // Opens the preview window on the printer (through the registered preview factory).
  std::function<void(TRptPrinter&)> ShowPreview;
  // Closes the preview window showing `printer` (after a run that failed).
  std::function<void(TRptPrinter&)> ClosePreview;
  // Waits for one message and handles it; false when the program is asked to end.
  std::function<bool()> HandleOneMessage;
  // Shows a progress window for a print onto `printer`, owned by the top-level window of
  // `owner` (the preview's notice window; 0: none), and makes it the printer's notify target;
  // the window lives as long as the returned holder.
  std::function<std::shared_ptr<void>(TRptPrinter&, TRptWindowRef owner)> ShowProgress;
  // The print dialog: records printer, copies, orientation and range in the report.
  std::function<void(TRptPrinter&, TCustomReport&)> PrintSetup;
};

// How a print straight to the printer ended.
enum class TRptPrintOutcome { Printed, Cancelled, AlreadyGenerating, NoPrinter };

class TRptReportPrinting {
 public:
  TRptReportPrinting(TCustomReport& report, TRptPrintingPlatform platform);
  ~TRptReportPrinting();
  TRptReportPrinting(const TRptReportPrinting&) = delete;
  TRptReportPrinting& operator=(const TRptReportPrinting&) = delete;

  // Makes the report's Preview() and Print() run these operations.
  void Attach();
  // The window the report's printers send their notices to (once it exists).
  void SetReportWindow(TRptWindowRef window) { platform_.ReportWindow = window; }

  // A fresh page printer for one run, or none while the report is generating.
  std::unique_ptr<TRptPrinter> MakePagePrinter();
  // Opens the preview, generates the pages into it and handles messages until it closes. A
  // run that fails shows its error and closes the preview.
  void Preview();
  // Generates the report once more, straight onto the printer (WM_REPORT_PRINT), through a
  // fresh page printer of its own (the preview's is never touched), with the progress window.
  TRptPrintOutcome PrintToPrinter();
  // WM_REPORT_PREVIEW_CLOSED: only the preview's own printer, the one named, is released.
  void PreviewClosed(const TRptPrinter* named);

  bool PreviewOpen() const { return previewPrinter_ != nullptr; }
  TRptPrinter* PreviewPrinter() const { return previewPrinter_.get(); }

 private:
  void ReleasePreviewPrinter(TRptPrinter& printer);
  void WaitForPreviewToClose();

  TCustomReport& report_;
  TRptPrintingPlatform platform_;
  std::unique_ptr<TRptPrinter> previewPrinter_;
};

}  // namespace ormind
