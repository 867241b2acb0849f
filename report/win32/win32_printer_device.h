#pragma once
// The page printer's platform printer on Windows: the printers the spooler lists, the selected
// printer's device mode in movable memory, its device context and capabilities, and the print
// job on that context. Every handle has an owner; the job and its open page are the scope
// guards of platform/print_job.h, so a device dropped in the middle of a job aborts it.
#include "report/win32/windows_api.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/print_job.h"
#include "report/printer/printer_device.h"
#include "report/win32/gdi_canvas.h"
#include "report/win32/spooler.h"

namespace ormind {

// How a StartDocW that failed with `systemError` counts: the user's Cancel of a printer's Save
// dialog is a decline, anything else a refusal.
TRptJobStart JobStartAfterFailure(DWORD systemError);

class TRptWin32PrinterDevice final : public TRptPrinterDevice {
 public:
  // On the system's default printer (the first one listed when none is the default or the
  // default is no longer installed); on no printer when none is installed.
  TRptWin32PrinterDevice();
  ~TRptWin32PrinterDevice() override;
  TRptWin32PrinterDevice(const TRptWin32PrinterDevice&) = delete;
  TRptWin32PrinterDevice& operator=(const TRptWin32PrinterDevice&) = delete;

  std::vector<std::string> PrinterNames() override;
  void SelectPrinter(int32_t index) override;
  int32_t PrinterIndex() const override { return fIndex; }
  void ResetDeviceMode() override;

  TRptDeviceNames DeviceNames() override;
  std::string DriverPath(const std::string& deviceName) override;
  bool ReadDeviceMode(TRptDeviceMode& mode) override;
  void WriteDeviceMode(const TRptDeviceMode& mode) override;
  TRptDeviceCaps Capabilities() override;
  std::vector<int32_t> PaperCodes() override;
  std::vector<int32_t> BinCodes() override;

  TRptJobStart StartJob(const std::string& title) override;
  bool StartPage() override;
  bool EndPage() override;
  bool EndJob() override;
  void AbortJob() override;
  TRptCanvas& PageCanvas() override;
  void DrawPage(const TRptPagePicture& page, const TRptRect& rect) override;

  // --- What the print dialog and the command line use ---
  // The index of the printer called `name` (UTF-8), or -2 when no printer has that name.
  int32_t IndexOf(const std::string& name);
  bool HasPrinter() const { return !fDevice.empty(); }
  const std::wstring& Device() const { return fDevice; }
  const std::wstring& Port() const { return fPort; }
  // A copy of the device mode in movable memory (none when the printer has none).
  GlobalHandle CopyDeviceMode() const;
  // Takes the device and device mode the user chose (the print dialog's answer).
  void TakeDevice(const std::wstring& device, GlobalHandle mode);
  bool JobRunning() const { return fJob.has_value(); }

 private:
  void SelectChosen(int32_t requested);
  void SelectByName(int32_t index, const std::wstring& name);
  // The device context for the current device mode, made on first use.
  HDC Context();
  void DropContext();

  std::vector<std::wstring> fPrinters;
  int32_t fIndex = -1;
  std::wstring fDevice, fPort;
  GlobalHandle fDeviceMode;
  OwnedDC fDC;
  std::unique_ptr<TRptGdiCanvas> fCanvas;  // on fDC; goes before it
  std::optional<PrintJob> fJob;            // on fDC
  std::optional<PrintPage> fPage;
};

}  // namespace ormind
