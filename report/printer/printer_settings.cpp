#include "report/printer/printer_settings.h"

#include "report/model/round.h"

namespace ormind {
namespace {

constexpr int32_t kBinCodes[] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 14};
constexpr int kBinCount = sizeof(kBinCodes) / sizeof(kBinCodes[0]);
constexpr int kPaperCount = static_cast<int>(TRptPaperSize::Custom) + 1;

bool HasField(const TRptDeviceMode& mode, uint32_t field) { return (mode.Fields & field) == field; }

// The file-name part of a driver path, cut to the driver name's limit.
std::string DriverFileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.substr(0, TPrinterSettings::kDriverNameLimit);
}

// Device pixels at `dotsPerInch` to 0.1 mm.
int32_t PixelsToMm10(int32_t pixels, int32_t dotsPerInch) {
  if (dotsPerInch <= 0) return 0;
  return RptRound(static_cast<long double>(pixels) / dotsPerInch * 254);
}

}  // namespace

int32_t BinCode(TRptBin bin) { return kBinCodes[static_cast<int>(bin)]; }

void TPrinterSettings::BindDevice(TRptPrinterDevice& printer) {
  fTargetPrinter = &printer;
  if (!printer.PrinterNames().empty()) ReadDeviceSettings();
}

bool TPrinterSettings::FieldSupported(uint32_t field) const {
  return fTargetPrinter != nullptr && fHasDeviceMode && HasField(fDeviceMode, field);
}

bool TPrinterSettings::PaperSupported(TRptPaperSize size) const {
  return fSupportedPapers[static_cast<size_t>(size)];
}

void TPrinterSettings::ReadNames() {
  fNames = fTargetPrinter->DeviceNames();
  fNames.Driver = DriverFileName(fTargetPrinter->DriverPath(fNames.Device));
  fHasDeviceMode = fTargetPrinter->ReadDeviceMode(fDeviceMode);
}

void TPrinterSettings::ReadPaperList() {
  fSupportedPapers.fill(false);
  for (const int32_t code : fTargetPrinter->PaperCodes()) {
    for (int i = 0; i < kPaperCount; ++i) {
      if (PaperInfo(static_cast<TRptPaperSize>(i)).DeviceCode == code) fSupportedPapers[i] = true;
    }
  }
  fSupportedPapers[static_cast<size_t>(TRptPaperSize::Custom)] = true;
}

void TPrinterSettings::ReadDeviceSettings() {
  if (fTargetPrinter == nullptr) return;
  fMessages.ProcessMessages();
  ReadNames();
  const TRptDeviceCaps caps = fTargetPrinter->Capabilities();
  fDotsPerInchX = caps.DotsPerInchX;
  fDotsPerInchY = caps.DotsPerInchY;

  fCopyCount = FieldSupported(dmCopies) ? fDeviceMode.Copies : 1;

  fSource = TRptBin::First;
  if (FieldSupported(dmDefaultSource)) {
    for (int i = 0; i < kBinCount; ++i) {
      if (kBinCodes[i] == fDeviceMode.DefaultSource) {
        fSource = static_cast<TRptBin>(i);
        break;
      }
    }
  }

  fTwoSided = FieldSupported(dmDuplex) && fDeviceMode.Duplex != 1;
  fMarginLeft = PixelsToMm10(caps.OffsetX, fDotsPerInchX);
  fMarginTop = PixelsToMm10(caps.OffsetY, fDotsPerInchY);

  fPaperKind = TRptPaperSize::Default;
  if (FieldSupported(dmPaperSize)) {
    for (int i = 0; i < kPaperCount; ++i) {
      if (PaperInfo(static_cast<TRptPaperSize>(i)).DeviceCode == fDeviceMode.PaperSize) {
        fPaperKind = static_cast<TRptPaperSize>(i);
        break;
      }
    }
  }
  fSheetWidth = PixelsToMm10(caps.PhysicalWidth, fDotsPerInchX);
  fSheetLength = PixelsToMm10(caps.PhysicalHeight, fDotsPerInchY);
  ReadPaperList();
}

void TPrinterSettings::ApplyToDevice() {
  if (fTargetPrinter == nullptr) return;
  TRptDeviceMode mode;
  if (!fTargetPrinter->ReadDeviceMode(mode)) return;  // nothing to write into

  if (fPaperKind == TRptPaperSize::Custom) {
    if (HasField(mode, dmPaperLength)) mode.PaperLength = PaperLength();
    if (HasField(mode, dmPaperWidth)) mode.PaperWidth = PaperWidth();
  }
  if (fTwoSided) {
    mode.Fields |= dmDuplex;
    mode.Duplex = 3;
  }
  if (HasField(mode, dmPaperSize) && fPaperKind != TRptPaperSize::Default) {
    mode.PaperSize = PaperInfo(fPaperKind).DeviceCode;
  }
  mode.Fields |= dmCopies | dmDefaultSource | dmOrientation;
  mode.Copies = fCopyCount;
  mode.DefaultSource = BinCode(fSource) | (mode.DefaultSource & 0x100);
  mode.Orientation = fPageOrientation == TRptOrientation::Portrait ? 1 : 2;
  fTargetPrinter->WriteDeviceMode(mode);
}

void TPrinterSettings::SetCopies(int32_t copies) {
  if (FieldSupported(dmCopies)) fCopyCount = copies;
}

void TPrinterSettings::SetOrientation(TRptOrientation orientation) {
  if (FieldSupported(dmOrientation)) fPageOrientation = orientation;
}

void TPrinterSettings::SetBin(TRptBin bin) {
  if (FieldSupported(dmDefaultSource)) fSource = bin;
}

void TPrinterSettings::SetPaperSize(TRptPaperSize size) {
  if (size == TRptPaperSize::Default || PaperSupported(size)) fPaperKind = size;
}

void TPrinterSettings::SetPaperWidth(int32_t width) {
  if (fPaperKind == TRptPaperSize::Custom) fSheetWidth = width;
}

void TPrinterSettings::SetPaperLength(int32_t length) {
  if (fPaperKind == TRptPaperSize::Custom) fSheetLength = length;
}

int32_t TPrinterSettings::PaperWidth() const {
  if (fPaperKind == TRptPaperSize::Default || fPaperKind == TRptPaperSize::Custom) {
    return fSheetWidth;
  }
  return RptRound(static_cast<long double>(PaperInfo(fPaperKind).Width) * 10);
}

int32_t TPrinterSettings::PaperLength() const {
  if (fPaperKind == TRptPaperSize::Default || fPaperKind == TRptPaperSize::Custom) {
    return fSheetLength;
  }
  return RptRound(static_cast<long double>(PaperInfo(fPaperKind).Height) * 10);
}

}  // namespace ormind
