#pragma once
// The page printer's view of its printer's device mode: what it read from the device, and the
// values it writes back before each document. Setters respect what the device supports, so a
// value the device cannot take leaves the device's own value in place.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "report/model/page_target.h"
#include "report/pages/paper.h"
#include "report/printer/printer_device.h"

namespace ormind {

// The device-mode source code of a bin.
int32_t BinCode(TRptBin bin);

class TPrinterSettings {
 public:
  // The driver name keeps at most this many characters (the file-name part of the driver path).
  static constexpr size_t kDriverNameLimit = 63;

  explicit TPrinterSettings(TRptMessagePort& messages) : fMessages(messages) {}

  // Attaches the printer (not owned) and, when at least one printer is installed, reads its
  // settings.
  void BindDevice(TRptPrinterDevice& printer);
  // Attaches the printer (not owned) without reading anything from it.
  void AttachDevice(TRptPrinterDevice& printer) { fTargetPrinter = &printer; }
  // Reads names, resolution, copies, bin, duplex, offsets, paper and the supported papers from
  // the attached printer; lets pending messages run first unless told not to (a read from the
  // middle of a page's layout must not run the user's handlers there).
  void ReadDeviceSettings(bool letMessagesRun = true);
  // Reads the resolution and the offsets again from the device's current context.
  void ReadCapabilities();
  // Writes copies, bin, orientation, paper (and its size for Custom) and duplex into the
  // printer's device mode.
  void ApplyToDevice();

  // True when a printer is attached, it has a device mode, and every bit of `field` is set in
  // that mode's field mask.
  bool FieldSupported(uint32_t field) const;
  bool PaperSupported(TRptPaperSize size) const;

  void SetCopies(int32_t copies);
  void SetOrientation(TRptOrientation orientation);
  // Only a bin the printer lists (its DC_BINS codes); anything else keeps the device's source.
  void SetBin(TRptBin bin);
  bool BinListed(TRptBin bin) const;
  void SetDuplex(bool duplex) { fTwoSided = duplex; }
  // Only a size the device lists, or Default; anything else changes nothing.
  void SetPaperSize(TRptPaperSize size);
  // Only while the paper size is Custom (0.1 mm).
  void SetPaperWidth(int32_t width);
  void SetPaperLength(int32_t length);

  int32_t Copies() const { return fCopyCount; }
  TRptOrientation Orientation() const { return fPageOrientation; }
  TRptBin Bin() const { return fSource; }
  bool Duplex() const { return fTwoSided; }
  TRptPaperSize PaperSize() const { return fPaperKind; }
  // 0.1 mm, upright: the table's size for a named paper, the device's for Default and Custom.
  int32_t PaperWidth() const;
  int32_t PaperLength() const;

  int32_t DotsPerInchX() const { return fDotsPerInchX; }
  int32_t DotsPerInchY() const { return fDotsPerInchY; }
  // Physical offset of the printable area, 0.1 mm.
  int32_t MarginLeft() const { return fMarginLeft; }
  int32_t MarginTop() const { return fMarginTop; }

  const TRptDeviceNames& DeviceNames() const { return fNames; }

 private:
  void ReadNames();
  TRptDeviceCaps ReadCapabilitiesFrom(TRptPrinterDevice& printer);
  void ReadPaperList();

  TRptMessagePort& fMessages;
  TRptPrinterDevice* fTargetPrinter = nullptr;
  TRptDeviceNames fNames;  // Driver: the file-name part of the driver path
  bool fHasDeviceMode = false;
  TRptDeviceMode fDeviceMode;  // as last read from the printer

  int32_t fCopyCount = 1;
  bool fTwoSided = false;
  TRptOrientation fPageOrientation = TRptOrientation::Portrait;
  TRptBin fSource = TRptBin::First;
  int32_t fSourceCode = 0;  // the source written back: the device's own until a bin is set
  std::vector<int32_t> fBinCodes;
  TRptPaperSize fPaperKind = TRptPaperSize::A4;
  int32_t fSheetWidth = 0, fSheetLength = 0;
  int32_t fDotsPerInchX = 0, fDotsPerInchY = 0;
  int32_t fMarginLeft = 0, fMarginTop = 0;
  std::array<bool, static_cast<size_t>(TRptPaperSize::Custom) + 1> fSupportedPapers{};
};

}  // namespace ormind
