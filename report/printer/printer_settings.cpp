#include "report/printer/printer_settings.h"

#include <algorithm>

#include "report/model/round.h"
#include "report/pages/error.h"

namespace ormind {
namespace {

constexpr int32_t kBinCodes[] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 14};
constexpr int kBinCount = sizeof(kBinCodes) / sizeof(kBinCodes[0]);
constexpr int kPaperCount = static_cast<int>(TRptPaperSize::Custom) + 1;
constexpr int32_t kSimplex = 1, kLongEdge = 2;

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

void TPrinterSettings::ReadDeviceSettings(bool letMessagesRun) {
  if (fTargetPrinter == nullptr) return;
  if (letMessagesRun) fMessages.ProcessMessages();
  ReadNames();
  TRptDeviceCaps caps;
  try {
    caps = ReadCapabilitiesFrom(*fTargetPrinter);
  } catch (const ERptError&) {
    // No context for this printer (a default whose driver is gone or blocked): the preview
    // needs none, and printing reads the capabilities again and reports it then.
    caps = TRptDeviceCaps{};
    fDotsPerInchX = fDotsPerInchY = fMarginLeft = fMarginTop = 0;
  }

  fCopyCount = FieldSupported(dmCopies) ? fDeviceMode.Copies : 1;

  fSource = TRptBin::First;
  fSourceCode = 0;
  fBinCodes = fTargetPrinter->BinCodes();
  if (FieldSupported(dmDefaultSource)) {
    // A source outside the table (a driver's own tray, "automatically select") is kept as the
    // driver gave it until a listed bin is chosen.
    fSourceCode = fDeviceMode.DefaultSource;
    for (int i = 0; i < kBinCount; ++i) {
      if (kBinCodes[i] == fDeviceMode.DefaultSource) {
        fSource = static_cast<TRptBin>(i);
        break;
      }
    }
  }

  fTwoSided = FieldSupported(dmDuplex) && fDeviceMode.Duplex != kSimplex;

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

void TPrinterSettings::ReadCapabilities() {
  if (fTargetPrinter != nullptr) ReadCapabilitiesFrom(*fTargetPrinter);
}

TRptDeviceCaps TPrinterSettings::ReadCapabilitiesFrom(TRptPrinterDevice& printer) {
  const TRptDeviceCaps caps = printer.Capabilities();
  fDotsPerInchX = caps.DotsPerInchX;
  fDotsPerInchY = caps.DotsPerInchY;
  fMarginLeft = PixelsToMm10(caps.OffsetX, fDotsPerInchX);
  fMarginTop = PixelsToMm10(caps.OffsetY, fDotsPerInchY);
  return caps;
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
    // Two-sided is long-edge binding; a two-sided value the driver already has (short edge,
    // or one of its own) is what the user chose there and stays.
    if (!HasField(mode, dmDuplex) || mode.Duplex == kSimplex) mode.Duplex = kLongEdge;
    mode.Fields |= dmDuplex;
  }
  if (HasField(mode, dmPaperSize) && fPaperKind != TRptPaperSize::Default) {
    mode.PaperSize = PaperInfo(fPaperKind).DeviceCode;
  }
  mode.Fields |= dmCopies | dmOrientation;
  mode.Copies = fCopyCount;
  if (HasField(mode, dmDefaultSource) && fSourceCode != 0 &&
      fSourceCode != (mode.DefaultSource & ~0x100)) {
    mode.DefaultSource = fSourceCode | (mode.DefaultSource & 0x100);
  }
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
  if (!FieldSupported(dmDefaultSource) || !BinListed(bin)) return;
  fSource = bin;
  fSourceCode = BinCode(bin);
}

bool TPrinterSettings::BinListed(TRptBin bin) const {
  return std::find(fBinCodes.begin(), fBinCodes.end(), BinCode(bin)) != fBinCodes.end();
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
