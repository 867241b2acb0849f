#pragma once
// The page printer: the one object through which a report's pages reach either the page list
// (page pictures for the preview and saved files) or a printer. It runs the document's state
// machine (ready, busy, finished), scales report geometry (0.1 mm) to the device, prints the
// pages of a loaded file at their true size on printer pages, and tells the preview and the report
// what happened through window messages.
//
// Lifetime. Handlers run from every point where the printer lets messages through, so a close
// of the preview can arrive while the printer is in use. Whoever owns the printer installs a
// release handler and, instead of freeing the printer, calls ReleaseWhenIdle: the printer is
// released at once when no operation is running, otherwise a cancel is recorded and the
// printer is released exactly once when the last running operation ends. Code that uses the
// printer across a point where messages run (a generation, a print, a file dialog) holds a
// TRptPrinterOperation for that time. The printer's own calls that let messages run
// (ApplyJobSettings, SelectPrinter, CloseDocument, ProcessMessages, PrintPages, the hooks) hold
// one themselves, so each is safe on its own; a caller that goes on using the printer after such
// a call holds one across the whole sequence. So the report's answer to the close notice is
// ReleaseWhenIdle on the printer the notice names, whether or not it is generating: a running
// generation sees the cancel, abandons its document and ends, and the printer goes with it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "report/pages/page_list.h"
#include "report/model/page_target.h"
#include "report/printer/printer_device.h"
#include "report/printer/printer_settings.h"
#include "report/pages/report_file.h"

namespace ormind {

enum class TRptOutputTarget { ToMetafile = 0, ToPrinter = 1 };

// An export filter that receives a generation's output; the card uses none.
class TRptExportFilter;

// Shown by the preview when Print is pressed and no printer is installed.
inline constexpr const char* kNoPrinterInstalled = "No printer is installed";

// Whether page `page` of a document lies in the range first..last (0: unbounded on that side).
bool PageInRange(int32_t page, int32_t first, int32_t last);

// Where a stored page lands on the printer page to print at its true size: its frame in device
// pixels, moved back by the physical offsets so that it starts at the paper's corner.
TRptRect TrueSizeOnSheet(const TRptPagePicture& page, const TRptDeviceCaps& caps);

class TRptPrintJob;

// Counts a step in progress for its scope.
class TRptScopedCount {
 public:
  explicit TRptScopedCount(int32_t& count) : fCount(count) { ++fCount; }
  ~TRptScopedCount() { --fCount; }
  TRptScopedCount(const TRptScopedCount&) = delete;
  TRptScopedCount& operator=(const TRptScopedCount&) = delete;

 private:
  int32_t& fCount;
};

class TRptPrinter final : public TRptPageTarget, public TRptReportFileHost {
 public:
  using THook = std::function<void(TRptPrinter&)>;
  using TExportHook = std::function<void(TRptPrinter&, TRptExportFilter&)>;

  // `device` is the printer's own platform printer, on the system default printer.
  TRptPrinter(std::unique_ptr<TRptPrinterDevice> device, TRptPageRecorder& recorder,
              TRptMessagePort& messages);
  ~TRptPrinter() override;
  TRptPrinter(const TRptPrinter&) = delete;
  TRptPrinter& operator=(const TRptPrinter&) = delete;

  // --- The document (what a generation run calls) ---
  void ApplyJobSettings(const TRptJobSettings& settings) override;
  void OpenDocument() override;
  void NewPage() override;
  // Ends the document; on the printer, a cancel requested meanwhile abandons the job instead.
  void CloseDocument() override;
  void AbandonDocument() override;
  TRptCanvas& PageCanvas() override;

  int32_t ToDeviceX(long double x) const override;
  int32_t ToDeviceY(long double y) const override;
  int32_t ToDeviceWidth(long double w) const override;
  int32_t ToDeviceHeight(long double h) const override;
  long double FactorX() const override { return fScaleX; }
  long double FactorY() const override { return fScaleY; }
  long double PaperWidthValue() const override;
  long double PaperLengthValue() const override;

  bool CancelRequested() const override { return fCancelRequested; }
  void RequestCancel() { fCancelRequested = true; }
  void SetProgress(int32_t percent) override;
  void ProcessMessages() override;

  // --- Saved report files ---
  TRptPrinterPhase Phase() const override { return fPhase; }
  TRptPageList& PageList() override { return fPages; }
  int32_t ScreenPixelsPerInch() const override;
  // Raises ERptError while the printer is generating or printing (nothing is changed then); an
  // operation held around a file dialog does not count, so a Load from there goes ahead.
  void CleanUp() override;
  void SetPaperSize(TRptPaperSize size) override { Settings().SetPaperSize(size); }
  void SetOrientation(TRptOrientation o) override { Settings().SetOrientation(o); }
  // Also resets the page range, so that a loaded file prints whole.
  void TakeLoadedReport(std::shared_ptr<TRptStream> stream, int32_t pageCount,
                        double scaleFactor) override;

  // --- What the preview and the report use ---
  // Page n as a picture the caller owns; none unless the printer is busy or finished and page
  // n is stored.
  std::unique_ptr<TRptPagePicture> GetPage(int32_t n);
  // (-1: the default printer) Selects the printer with the driver's default settings and reads
  // them. Raises "Printing in progress" while a job runs.
  void SelectPrinter(int32_t index);
  // Pages the report generated: asks the owner report to print itself again. Pages loaded from
  // a file: prints them at their true size when finished and a printer exists.
  void PrintPages();
  void RunPrintSetup();
  void RunExport(TRptExportFilter& filter);
  void OpenPreview();
  // Sends the close notice to the owner report and returns once it has been handled; the
  // printer may have been released when this returns.
  void AnnounceClose();
  // Cleared by the preview when it stops showing the printer: a busy printer is cancelled and
  // the after-preview hook runs.
  void SetPreviewShown(bool shown);
  bool PreviewShown() const { return fPreviewShown; }

  // --- Lifetime (see the top of this file) ---
  void SetReleaseHandler(THook handler) { fReleaseHandler = std::move(handler); }
  void ReleaseWhenIdle();
  bool OperationRunning() const { return fOperations > 0; }
  // Busy generating, or printing stored pages: the pages must not be replaced now.
  bool InUse() const;

  // --- State ---
  bool PrinterAvailable() const { return fPrinterAvailable; }
  TRptOutputTarget Target() const { return fTarget; }
  void SetTarget(TRptOutputTarget target) { fTarget = target; }
  int32_t PageCount() const { return fPagesMade; }  // pages begun
  int32_t PagesReady() const { return fPagesReady; }
  int32_t ProgressValue() const { return fProgressValue; }
  bool FromFile() const { return fFromFile; }
  int32_t RangeFirst() const { return fRangeFirst; }
  int32_t RangeLast() const { return fRangeLast; }
  void SetRange(int32_t first, int32_t last);
  // Stored pages are printed this many times over in one job, as whole sets (first..last,
  // first..last): for printing copies where the queue may not make them itself.
  void SetStoredPageSets(int32_t sets) { fStoredPageSets = sets < 1 ? 1 : sets; }
  const std::string& JobTitle() const { return fJobTitle; }
  void SetJobTitle(std::string title) { fJobTitle = std::move(title); }
  TRptWindowRef NotifyTarget() const { return fNotifyTarget; }
  void SetNotifyTarget(TRptWindowRef target) { fNotifyTarget = target; }
  TRptWindowRef OwnerReport() const { return fOwnerReport; }
  void SetOwnerReport(TRptWindowRef report) { fOwnerReport = report; }
  TPrinterSettings& DeviceSettings() { return Settings(); }
  const TPrinterSettings& DeviceSettings() const { return Settings(); }

  void SetAfterPreviewHook(THook hook) { fAfterPreview = std::move(hook); }
  void SetAfterPrintHook(THook hook) { fAfterPrint = std::move(hook); }
  void SetPrintSetupHook(THook hook) { fPrintSetup = std::move(hook); }
  void SetExportHook(TExportHook hook) { fExport = std::move(hook); }
  void SetPreviewHook(THook hook) { fPreview = std::move(hook); }
  // Runs first when the printer is destroyed, while it is still whole: a preview control that
  // still shows the printer detaches itself there.
  void SetDestroyHook(THook hook) { fDestroy = std::move(hook); }

 private:
  friend class TRptPrinterOperation;

  void EndPageOnPrinter();
  void StorePage();
  void BeginMetafilePage();
  void BeginPrinterPage();
  void UseDeviceScale();
  void UseScreenScale();
  void AnnouncePagesReady();
  void PrintStoredPages();
  std::unique_ptr<TRptPagePicture> ReadStoredPage(int32_t n);
  void Discard() noexcept;
  void Release();
  void OperationEnded();

  std::unique_ptr<TRptPrinterDevice> fPlatformPrinter;
  TRptPageRecorder& fRecorder;
  TRptMessagePort& fMessages;
  // The selected printer's settings, read from it when first needed: making a page printer asks
  // no printer anything but the list, so the default printer (in an office, perhaps a connection
  // whose server is offline) is never opened when another one is chosen for the job.
  TPrinterSettings& Settings() const;
  mutable TPrinterSettings fDeviceSettings;
  mutable bool fSettingsRead = false;
  std::unique_ptr<TRptPrintJob> fJob;
  bool fPrinterAvailable = false;

  TRptOutputTarget fTarget = TRptOutputTarget::ToMetafile;
  TRptPrinterPhase fPhase = TRptPrinterPhase::Ready;
  int32_t fPagesMade = 0;
  int32_t fCurrentPage = 0;
  int32_t fRangeFirst = 0, fRangeLast = 0;
  int32_t fStoredPageSets = 1;
  bool fCancelRequested = false;
  std::string fJobTitle;
  long double fScaleX = 0, fScaleY = 0;
  long double fLeftSkip = 0, fTopSkip = 0;
  TRptCanvas* fPageCanvas = nullptr;
  std::unique_ptr<TRptPageRecording> fPageMetafile;
  TRptPageList fPages;
  std::shared_ptr<TRptStream> fReportStream;
  int32_t fPagesReady = 0;
  int32_t fProgressValue = 0;
  TRptWindowRef fNotifyTarget = 0;
  TRptWindowRef fOwnerReport = 0;
  bool fFromFile = false;
  bool fPreviewShown = false;
  int32_t fOwnWork = 0;  // the printer's own steps that let messages run

  THook fAfterPreview, fAfterPrint, fPrintSetup, fPreview, fDestroy;
  TExportHook fExport;

  int32_t fOperations = 0;
  bool fReleaseRequested = false;
  THook fReleaseHandler;
};

// Marks an operation on the printer for its lifetime (see the top of this file). When the last
// operation ends after ReleaseWhenIdle, the printer is released: do not touch it afterwards.
class TRptPrinterOperation {
 public:
  explicit TRptPrinterOperation(TRptPrinter& printer) : fPrinter(printer) {
    ++fPrinter.fOperations;
  }
  ~TRptPrinterOperation() { fPrinter.OperationEnded(); }
  TRptPrinterOperation(const TRptPrinterOperation&) = delete;
  TRptPrinterOperation& operator=(const TRptPrinterOperation&) = delete;

 private:
  TRptPrinter& fPrinter;
};

}  // namespace ormind
