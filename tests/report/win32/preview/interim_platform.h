#pragma once
// The smallest platform a page printer needs to show saved report files: no printer and a
// recorder that reads stored pages but records none. Stands in until the Windows printing
// device is merged; the program's report-file viewer and the preview tests use it.
#include <memory>

#include "report/rpt_printer_device.h"

namespace ormind::testing {

std::unique_ptr<TRptPrinterDevice> MakeNoPrinterDevice();

class TScreenPageReader final : public TRptPageRecorder {
 public:
  int32_t ScreenPixelsPerInch() const override;
  std::unique_ptr<TRptPageRecording> BeginPage(int32_t width, int32_t height) override;
  std::unique_ptr<TRptPagePicture> MakePicture() override;
};

}  // namespace ormind::testing
