// The page printer's document: construction, the state machine of a document, scaling and the
// notices it posts.
#include "report/printer/printer.h"

#include "report/pages/error.h"
#include "report/printer/print_job.h"
#include "report/model/round.h"

namespace ormind {

bool PageInRange(int32_t page, int32_t first, int32_t last) {
  return (first <= 0 || page >= first) && (last <= 0 || page <= last);
}

TRptPrinter::TRptPrinter(std::unique_ptr<TRptPrinterDevice> device, TRptPageRecorder& recorder,
                         TRptMessagePort& messages)
    : fPlatformPrinter(std::move(device)),
      fRecorder(recorder),
      fMessages(messages),
      fDeviceSettings(messages),
      fJob(std::make_unique<TRptPrintJob>(*fPlatformPrinter)),
      fPages([&recorder] { return recorder.MakePicture(); }) {
  fPrinterAvailable = !fPlatformPrinter->PrinterNames().empty();
  if (fPrinterAvailable) fMessages.ProcessMessages();
}

TPrinterSettings& TRptPrinter::Settings() const {
  if (!fSettingsRead && fPrinterAvailable) {
    fSettingsRead = true;
    fDeviceSettings.AttachDevice(*fPlatformPrinter);
    fDeviceSettings.ReadDeviceSettings(/*letMessagesRun=*/false);
  }
  return fDeviceSettings;
}

TRptPrinter::~TRptPrinter() {
  if (fDestroy) {
    const THook hook = std::move(fDestroy);
    hook(*this);
  }
  Discard();
}

void TRptPrinter::ApplyJobSettings(const TRptJobSettings& settings) {
  TRptPrinterOperation operation(*this);  // selecting the printer lets messages run
  SelectPrinter(settings.PrinterIndex);
  Settings().SetPaperSize(settings.PaperSize);
  if (settings.PaperSize == TRptPaperSize::Custom) {
    Settings().SetPaperWidth(RptRound(settings.CustomWidth));
    Settings().SetPaperLength(RptRound(settings.CustomLength));
  }
  Settings().SetOrientation(settings.Orientation);
  Settings().SetCopies(settings.Copies);
  Settings().SetBin(settings.Bin);
  Settings().SetDuplex(settings.Duplex);
  SetRange(settings.FirstPage, settings.LastPage);
  fJobTitle = settings.Title;
  fPages.SetCompressed(settings.Compression);
}

void TRptPrinter::SetRange(int32_t first, int32_t last) {
  fRangeFirst = first;
  fRangeLast = last;
}

void TRptPrinter::OpenDocument() {
  // Checked first, so that a second call cannot throw away the open document's page.
  if (fPhase != TRptPrinterPhase::Ready) throw ERptError("Report printer not ready");
  // The cancel flag is left as it is: a Cancel pressed while the printer was being selected
  // still stops the run. A ready printer is fresh or cleaned up, which clears it.
  fPageMetafile.reset();
  fPageCanvas = nullptr;
  fPagesReady = 0;
  if (fTarget == TRptOutputTarget::ToPrinter) {
    Settings().ApplyToDevice();
    // The orientation or paper may have changed: the resolution and offsets are those of the
    // context the document is printed on.
    Settings().ReadCapabilities();
    fTopSkip = Settings().MarginTop();
    fLeftSkip = Settings().MarginLeft();
  } else {
    fTopSkip = fLeftSkip = 0;
  }
  fCurrentPage = 0;
  fPagesMade = 0;
  fPhase = TRptPrinterPhase::Busy;
  if (fTarget == TRptOutputTarget::ToMetafile) {
    fReportStream = TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold);
    fPages.SetStream(fReportStream);
    fPages.Reset();
    UseScreenScale();
  } else {
    UseDeviceScale();  // the job itself starts with the first page in range
  }
}

void TRptPrinter::NewPage() {
  if (fPhase != TRptPrinterPhase::Busy) throw ERptError("Illegal call to NewPage");
  if (fCurrentPage > 0) {
    if (fTarget == TRptOutputTarget::ToMetafile) {
      StorePage();
    } else if (PageInRange(fPagesMade, fRangeFirst, fRangeLast)) {
      EndPageOnPrinter();
    } else {
      fPageMetafile.reset();  // a page outside the range, drawn for nothing
    }
    fPageCanvas = nullptr;
    AnnouncePagesReady();
  }
  // The page is counted once it has begun: a page that cannot be begun (the system out of
  // graphics resources) leaves no picture-less page behind for CloseDocument to store.
  const int32_t page = fPagesMade + 1;
  if (fTarget == TRptOutputTarget::ToMetafile || !PageInRange(page, fRangeFirst, fRangeLast)) {
    BeginMetafilePage();
  } else {
    BeginPrinterPage();
  }
  fPagesMade = page;
  ++fCurrentPage;
}

void TRptPrinter::StorePage() {
  if (!fPageMetafile) return;
  const std::unique_ptr<TRptPagePicture> picture = fPageMetafile->Close();
  fPageMetafile.reset();
  fPageCanvas = nullptr;
  if (picture) fPages.AppendPage(*picture);
}

// The printer moves on to a new page only when another page of the range follows, so no blank
// page comes out after the range's last page.
void TRptPrinter::EndPageOnPrinter() {
  if (fJob->Running() && fPagesMade != fRangeLast) fJob->Advance();
}

void TRptPrinter::BeginMetafilePage() {
  fPageMetafile = fRecorder.BeginPage(ToDeviceWidth(PaperWidthValue()),
                                      ToDeviceHeight(PaperLengthValue()));
  fPageCanvas = &fPageMetafile->Canvas();
  UseScreenScale();
}

void TRptPrinter::BeginPrinterPage() {
  // When the job runs, ending the previous page has already started this one. A job the user
  // declined to start (the Save dialog of a printer that prints to a file, cancelled) is a
  // cancel: the page is drawn for nothing and the run stops at its next check.
  if (!fJob->Running() && (fCancelRequested || !fJob->Start(fJobTitle))) {
    RequestCancel();
    BeginMetafilePage();
    return;
  }
  fPageCanvas = &fPlatformPrinter->PageCanvas();
  UseDeviceScale();
}

void TRptPrinter::CloseDocument() {
  if (fPhase != TRptPrinterPhase::Busy) return;
  TRptPrinterOperation operation(*this);
  if (fTarget == TRptOutputTarget::ToPrinter) {
    if (fCancelRequested) {
      AbandonDocument();
      return;
    }
    if (fJob->Running()) fJob->End();
  } else {
    if (fCurrentPage > 0) StorePage();
    // Completed before the state becomes finished and before messages run, so that a Save
    // handled from here writes the final page count.
    fPages.Complete();
  }
  fPageCanvas = nullptr;
  fPhase = TRptPrinterPhase::Finished;
  {
    const TRptScopedCount work(fOwnWork);
    fMessages.ProcessMessages();
  }
  AnnouncePagesReady();
  if (fTarget == TRptOutputTarget::ToPrinter && fAfterPrint) fAfterPrint(*this);
}

void TRptPrinter::AbandonDocument() {
  if (fTarget == TRptOutputTarget::ToPrinter) {
    fJob->Abort();
    fPageMetafile.reset();
  } else if (fPageMetafile) {
    StorePage();
  }
  if (fTarget == TRptOutputTarget::ToMetafile && fReportStream) fPages.Complete();
  fPageCanvas = nullptr;
  fPhase = TRptPrinterPhase::Finished;
}

TRptCanvas& TRptPrinter::PageCanvas() {
  if (fPageCanvas == nullptr) throw ERptError("Illegal call to NewPage");
  return *fPageCanvas;
}

void TRptPrinter::UseDeviceScale() {
  fScaleX = Settings().DotsPerInchX() / 254.0L;
  fScaleY = Settings().DotsPerInchY() / 254.0L;
}

void TRptPrinter::UseScreenScale() { fScaleX = fScaleY = fRecorder.ScreenPixelsPerInch() / 254.0L; }

int32_t TRptPrinter::ToDeviceX(long double x) const { return RptRound((x - fLeftSkip) * fScaleX); }
int32_t TRptPrinter::ToDeviceY(long double y) const { return RptRound((y - fTopSkip) * fScaleY); }
int32_t TRptPrinter::ToDeviceWidth(long double w) const { return RptRound(w * fScaleX); }
int32_t TRptPrinter::ToDeviceHeight(long double h) const { return RptRound(h * fScaleY); }

long double TRptPrinter::PaperWidthValue() const {
  return Settings().Orientation() == TRptOrientation::Portrait ? Settings().PaperWidth()
                                                                     : Settings().PaperLength();
}

long double TRptPrinter::PaperLengthValue() const {
  return Settings().Orientation() == TRptOrientation::Portrait ? Settings().PaperLength()
                                                                     : Settings().PaperWidth();
}

int32_t TRptPrinter::ScreenPixelsPerInch() const { return fRecorder.ScreenPixelsPerInch(); }

void TRptPrinter::SetProgress(int32_t percent) {
  if (percent == fProgressValue) return;
  fProgressValue = percent;
  if (fNotifyTarget != 0) {
    fMessages.Post(fNotifyTarget, WM_REPORT_PROGRESS, static_cast<uintptr_t>(percent), 0);
  }
}

void TRptPrinter::AnnouncePagesReady() {
  ++fPagesReady;
  if (fNotifyTarget != 0) {
    fMessages.Post(fNotifyTarget, WM_REPORT_PAGE_READY, static_cast<uintptr_t>(fPagesReady), 0);
  }
}

void TRptPrinter::ProcessMessages() {
  TRptPrinterOperation operation(*this);
  fMessages.ProcessMessages();
}

}  // namespace ormind
