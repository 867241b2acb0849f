#include "tests/report/win32/preview/interim_platform.h"

#include <windows.h>

#include "report/rpt_error.h"

namespace ormind::testing {
namespace {

struct NoPrinterDevice final : TRptPrinterDevice {
  std::vector<std::string> PrinterNames() override { return {}; }
  void SelectPrinter(int32_t) override { throw ERptError("Printer index out of range"); }
  int32_t PrinterIndex() const override { return -1; }
  void ResetDeviceMode() override {}
  TRptDeviceNames DeviceNames() override { return {}; }
  std::string DriverPath(const std::string&) override { return {}; }
  bool ReadDeviceMode(TRptDeviceMode&) override { return false; }
  void WriteDeviceMode(const TRptDeviceMode&) override {}
  TRptDeviceCaps Capabilities() override { throw ERptError("Printer selected is not valid"); }
  std::vector<int32_t> PaperCodes() override { return {}; }
  bool StartJob(const std::string&) override { return false; }
  bool StartPage() override { return false; }
  bool EndPage() override { return false; }
  bool EndJob() override { return false; }
  void AbortJob() override {}
  TRptCanvas& PageCanvas() override { throw ERptError("Printer selected is not valid"); }
  void DrawPage(const TRptPagePicture&, const TRptRect&) override {}
};

}  // namespace

std::unique_ptr<TRptPrinterDevice> MakeNoPrinterDevice() {
  return std::make_unique<NoPrinterDevice>();
}

int32_t TScreenPageReader::ScreenPixelsPerInch() const {
  const HDC screen = GetDC(nullptr);
  const int32_t dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::unique_ptr<TRptPageRecording> TScreenPageReader::BeginPage(int32_t, int32_t) {
  throw ERptError("Pages cannot be recorded here");
}

std::unique_ptr<TRptPagePicture> TScreenPageReader::MakePicture() {
  return std::make_unique<TRptEmfImage>();
}

}  // namespace ormind::testing
