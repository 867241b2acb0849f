// The page printer seen from the preview and the report: selecting a printer, printing, the
// hooks, loaded files, clean-up and the printer's lifetime.
#include <algorithm>

#include "report/pages/error.h"
#include "report/printer/print_job.h"
#include "report/printer/printer.h"

namespace ormind {

void TRptPrinter::SelectPrinter(int32_t index) {
  if (!fPrinterAvailable) return;
  if (fJob->Running()) throw ERptError("Printing in progress");
  TRptPrinterOperation operation(*this);  // reading the settings lets messages run
  fPlatformPrinter->SelectPrinter(index);
  fPlatformPrinter->ResetDeviceMode();
  fSettingsRead = true;
  fDeviceSettings.AttachDevice(*fPlatformPrinter);
  fDeviceSettings.ReadDeviceSettings();
}

std::unique_ptr<TRptPagePicture> TRptPrinter::GetPage(int32_t n) {
  if (fPhase == TRptPrinterPhase::Ready || n < 1 || n > fPagesMade || n > fPages.Count()) {
    return nullptr;
  }
  return fPages.ReadPage(n);
}

bool TRptPrinter::InUse() const { return fPhase == TRptPrinterPhase::Busy || fOwnWork > 0; }

void TRptPrinter::CleanUp() {
  // Replacing the pages under a running generation or print would pull them from under it.
  if (InUse()) throw ERptError("The report is still being generated or printed");
  Discard();
}

void TRptPrinter::Discard() noexcept {
  fJob->Abort();
  fPageMetafile.reset();
  fPageCanvas = nullptr;
  fPages.SetStream(nullptr);
  fPages.Reset();
  fReportStream.reset();
  fPhase = TRptPrinterPhase::Ready;
  fCurrentPage = 0;
  fPagesMade = 0;
  fPagesReady = 0;
  fCancelRequested = false;
  fFromFile = false;
}

void TRptPrinter::TakeLoadedReport(std::shared_ptr<TRptStream> stream, int32_t pageCount,
                                   double scaleFactor) {
  fReportStream = std::move(stream);
  fPagesMade = pageCount;
  fCurrentPage = pageCount;
  fPagesReady = pageCount;
  fScaleX = fScaleY = scaleFactor;
  fPhase = TRptPrinterPhase::Finished;
  fPrintSetup = nullptr;
  fExport = nullptr;
  fFromFile = true;
  // The range chosen for an earlier generation does not apply to the loaded pages.
  SetRange(0, 0);
}

void TRptPrinter::PrintPages() {
  if (fOwnerReport != 0 && !fFromFile) {
    fMessages.Post(fOwnerReport, WM_REPORT_PRINT, 0, reinterpret_cast<intptr_t>(this));
    return;
  }
  if (fPhase == TRptPrinterPhase::Finished && fPrinterAvailable && !InUse()) PrintStoredPages();
}

std::unique_ptr<TRptPagePicture> TRptPrinter::ReadStoredPage(int32_t n) {
  std::string reason = "it is missing from the report";
  try {
    if (auto page = GetPage(n)) return page;
  } catch (const ERptError& error) {
    reason = error.what();
  }
  fMessages.ShowMessage("Page " + std::to_string(n) + " was not printed: " + reason);
  return nullptr;
}

// A stored page at its true size on the sheet: the page's 0.01 mm frame in device pixels, placed
// from the paper's corner, which lies the physical offsets before the printable area's corner.
TRptRect TrueSizeOnSheet(const TRptPagePicture& page, const TRptDeviceCaps& caps) {
  const auto pixels = [](int32_t length, int32_t dotsPerInch) {
    return static_cast<int32_t>((int64_t(length) * dotsPerInch + 1270) / 2540);
  };
  const int32_t width = pixels(page.FrameWidth(), caps.DotsPerInchX);
  const int32_t height = pixels(page.FrameHeight(), caps.DotsPerInchY);
  return TRptRect{-caps.OffsetX, -caps.OffsetY, width - caps.OffsetX, height - caps.OffsetY};
}

// Stored pages are printed at their size, one printer page each. A page that cannot be read is
// left out (with a message) instead of printing a blank sheet for it. A job that started is
// always ended or abandoned, whatever fails on the way.
void TRptPrinter::PrintStoredPages() {
  TRptPrinterOperation operation(*this);
  const TRptScopedCount work(fOwnWork);
  fCancelRequested = false;
  fJob->Abort();
  Settings().ApplyToDevice();

  const int32_t stored = std::min(fPagesMade, fPages.Count());
  const int32_t last = fRangeLast > 0 ? std::min(fRangeLast, stored) : stored;
  const int32_t first = fRangeFirst > 0 ? fRangeFirst : 1;
  if (first > last) return;

  if (!fJob->Start(fJobTitle)) return;  // the user declined the job: a quiet cancel
  bool pageUsed = false;
  try {
    const TRptDeviceCaps caps = fPlatformPrinter->Capabilities();
    for (int32_t set = 0; set < fStoredPageSets && !fCancelRequested; ++set) {
      for (int32_t n = first; n <= last; ++n) {
        fMessages.ProcessMessages();
        if (const auto page = ReadStoredPage(n)) {
          if (pageUsed) fJob->Advance();
          fPlatformPrinter->DrawPage(*page, TrueSizeOnSheet(*page, caps));
          pageUsed = true;
        }
        if (fCancelRequested) break;
      }
    }
  } catch (...) {
    fJob->Abort();
    throw;
  }
  if (fCancelRequested || !pageUsed) {
    fJob->Abort();
  } else {
    fJob->End();
  }
}

void TRptPrinter::RunPrintSetup() {
  if (!fPrintSetup) return;
  TRptPrinterOperation operation(*this);  // the dialog lets messages run
  fPrintSetup(*this);
}

void TRptPrinter::RunExport(TRptExportFilter& filter) {
  if (!fExport) return;
  TRptPrinterOperation operation(*this);
  fExport(*this, filter);
}

void TRptPrinter::OpenPreview() {
  if (fPreview) fPreview(*this);
}

void TRptPrinter::AnnounceClose() {
  if (fOwnerReport == 0) return;
  // The report may release this printer while handling the notice: nothing follows the send.
  fMessages.Send(fOwnerReport, WM_REPORT_PREVIEW_CLOSED, 0, reinterpret_cast<intptr_t>(this));
}

void TRptPrinter::SetPreviewShown(bool shown) {
  const bool wasShown = fPreviewShown;
  fPreviewShown = shown;
  if (!wasShown || shown) return;
  if (fPhase == TRptPrinterPhase::Busy) RequestCancel();
  if (fAfterPreview) fAfterPreview(*this);
}

void TRptPrinter::ReleaseWhenIdle() {
  if (fOperations > 0) {
    // Whatever runs stops at its next check and releases the printer when it ends.
    fCancelRequested = true;
    fReleaseRequested = true;
    return;
  }
  Release();
}

void TRptPrinter::Release() {
  fReleaseRequested = false;
  if (!fReleaseHandler) return;
  const THook handler = std::move(fReleaseHandler);
  handler(*this);  // the owner frees the printer here
}

void TRptPrinter::OperationEnded() {
  if (--fOperations > 0 || !fReleaseRequested) return;
  Release();
}

}  // namespace ormind
