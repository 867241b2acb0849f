#pragma once
// How the page printer reaches the platform: the printer device (printer list, device mode,
// capabilities, print job), the recorder of page pictures, and the window messages it posts,
// sends and lets run. The Windows side implements them with winspool and GDI; the tests with
// recording fakes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/model/canvas.h"
#include "report/pages/page_picture.h"

namespace ormind {

// Field flags of a device mode: a field counts only when its flag is set in the field mask.
enum TRptDeviceField : uint32_t {
  dmOrientation = 0x1,
  dmPaperSize = 0x2,
  dmPaperLength = 0x4,
  dmPaperWidth = 0x8,
  dmCopies = 0x100,
  dmDefaultSource = 0x200,
  dmDuplex = 0x1000,
};

// The fields of a printer's device mode that the page printer reads and writes, with the
// platform's own values (orientation 1 portrait, 2 landscape; duplex 1 simplex, 2 long edge,
// 3 short edge; paper length and width in 0.1 mm). Values outside these are the driver's own.
struct TRptDeviceMode {
  uint32_t Fields = 0;
  int32_t Orientation = 1;
  int32_t PaperSize = 0;
  int32_t PaperLength = 0;
  int32_t PaperWidth = 0;
  int32_t Copies = 1;
  int32_t DefaultSource = 0;
  int32_t Duplex = 1;
  bool operator==(const TRptDeviceMode&) const = default;
};

struct TRptDeviceNames {
  std::string Device, Driver, Port;  // UTF-8, whole (no length limit)
  bool operator==(const TRptDeviceNames&) const = default;
};

// What the device context of the selected printer reports, in device pixels.
struct TRptDeviceCaps {
  int32_t DotsPerInchX = 0, DotsPerInchY = 0;
  int32_t OffsetX = 0, OffsetY = 0;                  // physical offset of the printable area
  int32_t PhysicalWidth = 0, PhysicalHeight = 0;     // the whole sheet
  int32_t PrintableWidth = 0, PrintableHeight = 0;   // the printable area
};

// How starting a job went. Declined: the user cancelled as it started (a printer that prints
// to a file asks for the file name then); nothing was spooled.
enum class TRptJobStart { Started, Refused, DeclinedByUser };

// One platform printer: which printer is selected, its device mode, and the job being printed.
// A printer is selected by index into the printer list, -1 meaning the system default.
class TRptPrinterDevice {
 public:
  virtual ~TRptPrinterDevice() = default;

  // Names of the installed printers; empty when none is installed.
  virtual std::vector<std::string> PrinterNames() = 0;
  // Selects by the printer list alone (ChoosePrinter): an index past the list, no default or a
  // default no longer installed select the first printer listed; with none installed, none.
  virtual void SelectPrinter(int32_t index) = 0;
  virtual int32_t PrinterIndex() const = 0;
  // Selects the current device again without a device mode, so that the driver's defaults apply.
  virtual void ResetDeviceMode() = 0;

  virtual TRptDeviceNames DeviceNames() = 0;
  // The path of the driver file from the spooler's driver information for `deviceName`; empty
  // when the printer cannot be opened or the spooler does not answer. The Windows side asks the
  // spooler for the size of the record first and then for the record in a buffer of that size,
  // checking both calls.
  virtual std::string DriverPath(const std::string& deviceName) = 0;

  // False when the printer has no device mode (`mode` is then left alone).
  virtual bool ReadDeviceMode(TRptDeviceMode& mode) = 0;
  // Hands the changed device mode back to the printer, for the next job.
  virtual void WriteDeviceMode(const TRptDeviceMode& mode) = 0;

  // Throws ERptError "Printer selected is not valid" when no device context can be made.
  virtual TRptDeviceCaps Capabilities() = 0;
  // The paper codes the driver lists for the selected printer.
  virtual std::vector<int32_t> PaperCodes() = 0;
  // The paper source codes the driver lists for the selected printer.
  virtual std::vector<int32_t> BinCodes() = 0;

  // The job. Each call returns false (StartJob: not Started) when the platform refuses it; the
  // caller then aborts the job. StartJob starts the document under `title` (no page yet); StartPage and EndPage begin
  // and end one page; EndJob ends the document, ending its open page first, and hands it to the
  // spooler; AbortJob abandons what was spooled.
  virtual TRptJobStart StartJob(const std::string& title) = 0;
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual bool EndJob() = 0;
  virtual void AbortJob() = 0;
  // The canvas of the printer page being printed, in device pixels, valid while a page is open.
  virtual TRptCanvas& PageCanvas() = 0;
  // Plays a stored page picture stretched into `rect` on the printer page (device pixels, from
  // the printable area's corner; the rectangle may reach into the unprintable margins).
  virtual void DrawPage(const TRptPagePicture& page, const TRptRect& rect) = 0;
};

// A page picture being recorded.
class TRptPageRecording {
 public:
  virtual ~TRptPageRecording() = default;
  virtual TRptCanvas& Canvas() = 0;
  // Ends the recording; the picture is the caller's.
  virtual std::unique_ptr<TRptPagePicture> Close() = 0;
};

// Records page pictures at screen resolution, and makes the empty pictures that stored pages
// are read back into.
class TRptPageRecorder {
 public:
  virtual ~TRptPageRecorder() = default;
  virtual int32_t ScreenPixelsPerInch() const = 0;
  // A page of `width` x `height` screen pixels.
  virtual std::unique_ptr<TRptPageRecording> BeginPage(int32_t width, int32_t height) = 0;
  virtual std::unique_ptr<TRptPagePicture> MakePicture() = 0;
};

// A window that receives the page printer's notices (0: none).
using TRptWindowRef = uintptr_t;

// The notices, window messages exchanged on the user-interface thread. Receivers read the low
// 16 bits of wParam.
enum TRptNotice : uint32_t {
  WM_REPORT_PROGRESS = 1024,        // posted to the notify target; wParam: percent
  WM_REPORT_PAGE_READY = 1025,      // posted to the notify target; wParam: finished pages
  WM_REPORT_PRINT = 1026,           // posted to the owner report: print again to the printer
  WM_REPORT_PREVIEW_CLOSED = 1028,  // sent to the owner report; lParam: the page printer
};

// The user-interface thread's message queue, as far as the page printer uses it.
class TRptMessagePort {
 public:
  virtual ~TRptMessagePort() = default;
  // Lets pending messages run; any handler may run from here, closing and loading included.
  virtual void ProcessMessages() = 0;
  virtual void Post(TRptWindowRef target, uint32_t message, uintptr_t wParam,
                    intptr_t lParam) = 0;
  // Returns once `target` has handled the message.
  virtual void Send(TRptWindowRef target, uint32_t message, uintptr_t wParam,
                    intptr_t lParam) = 0;
  // A message for the user (a message box on Windows).
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace ormind
