#include "report/win32/win32_printer_device.h"

#include <algorithm>
#include <cstring>

#include "platform/text_encoding.h"
#include "report/pages/error.h"
#include "report/printer/printer_choice.h"
#include "report/win32/emf_recorder.h"

namespace ormind {
namespace {

// The device-mode fields the page printer reads and writes, and their field flags (the same
// values as the platform's DM_* flags).
constexpr uint32_t kModeFields = dmOrientation | dmPaperSize | dmPaperLength | dmPaperWidth |
                                 dmCopies | dmDefaultSource | dmDuplex;
static_assert(dmOrientation == DM_ORIENTATION && dmPaperSize == DM_PAPERSIZE &&
              dmPaperLength == DM_PAPERLENGTH && dmPaperWidth == DM_PAPERWIDTH &&
              dmCopies == DM_COPIES && dmDefaultSource == DM_DEFAULTSOURCE &&
              dmDuplex == DM_DUPLEX);

}  // namespace

TRptJobStart JobStartAfterFailure(DWORD systemError) {
  return systemError == ERROR_CANCELLED ? TRptJobStart::DeclinedByUser : TRptJobStart::Refused;
}

TRptWin32PrinterDevice::TRptWin32PrinterDevice() {
  fPrinters = EnumerateSpooledPrinters();
  SelectChosen(-1);
}

TRptWin32PrinterDevice::~TRptWin32PrinterDevice() { AbortJob(); }

std::vector<std::string> TRptWin32PrinterDevice::PrinterNames() {
  fPrinters = EnumerateSpooledPrinters();
  std::vector<std::string> names;
  for (const std::wstring& printer : fPrinters) names.push_back(WideToUtf8(printer));
  return names;
}

int32_t TRptWin32PrinterDevice::IndexOf(const std::string& name) {
  const std::vector<std::string> names = PrinterNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int32_t>(i);
  }
  return -2;
}

void TRptWin32PrinterDevice::SelectPrinter(int32_t index) {
  if (fJob) throw ERptError("Printing in progress");
  fPrinters = EnumerateSpooledPrinters();
  SelectChosen(index);
}

void TRptWin32PrinterDevice::SelectChosen(int32_t requested) {
  std::vector<std::string> names;
  for (const std::wstring& printer : fPrinters) names.push_back(WideToUtf8(printer));
  const int32_t chosen = ChoosePrinter(names, requested, WideToUtf8(DefaultPrinterName()));
  if (chosen < 0) {
    DropContext();
    fIndex = -1;
    fDevice.clear();
    fPort.clear();
    fDeviceMode = GlobalHandle();
    return;
  }
  // The default keeps -1, so that it follows the system's default.
  SelectByName(requested >= 0 ? chosen : -1, fPrinters[size_t(chosen)]);
}

void TRptWin32PrinterDevice::SelectByName(int32_t index, const std::wstring& name) {
  DropContext();
  fIndex = index;
  fDevice = name;
  // The details of the one printer in use only.
  fPort = PrinterPort(fDevice);
  fDeviceMode = PrinterDeviceMode(fDevice);
}

void TRptWin32PrinterDevice::ResetDeviceMode() {
  if (fJob) throw ERptError("Printing in progress");
  DropContext();
  fDeviceMode = PrinterDeviceMode(fDevice);
}

void TRptWin32PrinterDevice::TakeDevice(const std::wstring& device, GlobalHandle mode) {
  if (fJob) throw ERptError("Printing in progress");
  fPrinters = EnumerateSpooledPrinters();
  const auto found = std::find(fPrinters.begin(), fPrinters.end(), device);
  if (found == fPrinters.end()) {
    // A device the list does not show (the dialog may offer one the spooler did not list):
    // printed on by name, never taken for the default printer.
    fPrinters.push_back(device);
  }
  const auto index = static_cast<int32_t>(std::find(fPrinters.begin(), fPrinters.end(), device) -
                                          fPrinters.begin());
  SelectByName(index, device);
  if (mode) fDeviceMode = std::move(mode);
}

GlobalHandle TRptWin32PrinterDevice::CopyDeviceMode() const {
  const GlobalLocked<BYTE> source(fDeviceMode.Get());
  if (source.Get() == nullptr) return GlobalHandle();
  const SIZE_T size = GlobalSize(fDeviceMode.Get());
  GlobalHandle copy(GlobalAlloc(GHND, size));
  const GlobalLocked<BYTE> target(copy.Get());
  if (target.Get() == nullptr) return GlobalHandle();
  std::memcpy(target.Get(), source.Get(), size);
  return copy;
}

TRptDeviceNames TRptWin32PrinterDevice::DeviceNames() {
  return TRptDeviceNames{WideToUtf8(fDevice), "winspool", WideToUtf8(fPort)};
}

std::string TRptWin32PrinterDevice::DriverPath(const std::string& deviceName) {
  return WideToUtf8(PrinterDriverPath(Utf8ToWide(deviceName)));
}

bool TRptWin32PrinterDevice::ReadDeviceMode(TRptDeviceMode& mode) {
  const GlobalLocked<DEVMODEW> device(fDeviceMode.Get());
  if (device.Get() == nullptr) return false;
  mode.Fields = device->dmFields & kModeFields;
  mode.Orientation = device->dmOrientation;
  mode.PaperSize = device->dmPaperSize;
  mode.PaperLength = device->dmPaperLength;
  mode.PaperWidth = device->dmPaperWidth;
  mode.Copies = device->dmCopies;
  mode.DefaultSource = device->dmDefaultSource;
  mode.Duplex = device->dmDuplex;
  return true;
}

void TRptWin32PrinterDevice::WriteDeviceMode(const TRptDeviceMode& mode) {
  {
    const GlobalLocked<DEVMODEW> device(fDeviceMode.Get());
    if (device.Get() == nullptr) return;
    // Only the fields written are flagged: the driver merges them into its own private part
    // and may take back what it cannot do.
    device->dmFields = mode.Fields & kModeFields;
    device->dmOrientation = static_cast<short>(mode.Orientation);
    device->dmPaperSize = static_cast<short>(mode.PaperSize);
    device->dmPaperLength = static_cast<short>(mode.PaperLength);
    device->dmPaperWidth = static_cast<short>(mode.PaperWidth);
    device->dmCopies = static_cast<short>(mode.Copies);
    device->dmDefaultSource = static_cast<short>(mode.DefaultSource);
    device->dmDuplex = static_cast<short>(mode.Duplex);
    MergeDeviceMode(fDevice, device.Get());
  }
  // The next job's context is made with the new mode; a running job keeps its own.
  if (!fJob) DropContext();
}

HDC TRptWin32PrinterDevice::Context() {
  if (!fDC && !fDevice.empty()) {
    const GlobalLocked<DEVMODEW> mode(fDeviceMode.Get());
    fDC.Reset(CreateDCW(L"WINSPOOL", fDevice.c_str(), nullptr, mode.Get()));
    if (fDC) fCanvas = std::make_unique<TRptGdiCanvas>(fDC.Get());
  }
  if (!fDC) throw ERptError("Printer selected is not valid");
  return fDC.Get();
}

void TRptWin32PrinterDevice::DropContext() {
  fCanvas.reset();
  fDC.Reset();
}

TRptDeviceCaps TRptWin32PrinterDevice::Capabilities() {
  const HDC dc = Context();
  TRptDeviceCaps caps;
  caps.DotsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
  caps.DotsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
  caps.OffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  caps.OffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  caps.PhysicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
  caps.PhysicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
  caps.PrintableWidth = GetDeviceCaps(dc, HORZRES);
  caps.PrintableHeight = GetDeviceCaps(dc, VERTRES);
  return caps;
}

std::vector<int32_t> TRptWin32PrinterDevice::PaperCodes() {
  if (fDevice.empty()) return {};
  const GlobalLocked<DEVMODEW> mode(fDeviceMode.Get());
  return PrinterCapabilityCodes(fDevice, fPort, DC_PAPERS, mode.Get());
}

std::vector<int32_t> TRptWin32PrinterDevice::BinCodes() {
  if (fDevice.empty()) return {};
  const GlobalLocked<DEVMODEW> mode(fDeviceMode.Get());
  return PrinterCapabilityCodes(fDevice, fPort, DC_BINS, mode.Get());
}

TRptJobStart TRptWin32PrinterDevice::StartJob(const std::string& title) {
  if (fJob) return TRptJobStart::Refused;
  try {
    fJob.emplace(Context(), Utf8ToWide(title));
  } catch (const PrintError& error) {
    return JobStartAfterFailure(error.SystemError());
  } catch (const std::exception&) {  // no context
    return TRptJobStart::Refused;
  }
  return TRptJobStart::Started;
}

bool TRptWin32PrinterDevice::StartPage() {
  if (!fJob || fPage) return false;
  try {
    fPage.emplace(*fJob);
  } catch (const PrintError&) {
    return false;
  }
  fCanvas->Refresh();  // starting a page may have reset the context's objects
  return true;
}

bool TRptWin32PrinterDevice::EndPage() {
  if (!fPage) return false;
  fCanvas->Refresh();  // the font is not carried over to the next page
  try {
    fPage->End();
  } catch (const PrintError&) {
    fPage.reset();
    return false;
  }
  fPage.reset();
  return true;
}

bool TRptWin32PrinterDevice::EndJob() {
  if (!fJob) return false;
  bool ended = !fPage || EndPage();
  try {
    if (ended) fJob->End();
  } catch (const PrintError&) {
    ended = false;
  }
  if (!ended) fJob->Abort();
  fJob.reset();
  return ended;
}

void TRptWin32PrinterDevice::AbortJob() {
  fPage.reset();
  if (fJob) fJob->Abort();
  fJob.reset();
}

TRptCanvas& TRptWin32PrinterDevice::PageCanvas() {
  if (!fPage) throw ERptError("Printer is not currently printing");
  return *fCanvas;
}

void TRptWin32PrinterDevice::DrawPage(const TRptPagePicture& page, const TRptRect& rect) {
  if (!fPage) throw ERptError("Printer is not currently printing");
  const std::vector<uint8_t>& bytes = page.Bytes();
  const EnhMetaFileHandle metafile(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()));
  if (!metafile) throw ERptError("The page picture could not be printed");
  const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
  // A record the printer cannot play is left out; the rest of the page still prints.
  PlayEnhMetaFile(fDC.Get(), metafile.Get(), &area);
}

}  // namespace ormind
