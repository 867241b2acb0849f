#pragma once
// A page recorder for the preview's tests and benchmark: every page is the GDI-made sample
// page, so the stored pictures really play.
#include <memory>
#include <vector>

#include "report/printer/printer_device.h"
#include "tests/report/printer/printer_fakes.h"

namespace ormind {
class TRptPrinter;
}

namespace ormind::testing {

struct SamplePages final : TRptPageRecorder {
  int32_t ScreenPixelsPerInch() const override { return 96; }
  std::unique_ptr<TRptPageRecording> BeginPage(int32_t width, int32_t height) override;
  std::unique_ptr<TRptPagePicture> MakePicture() override { return std::make_unique<TRptEmfImage>(); }
  std::vector<uint8_t> bytes;
};

// Makes `count` finished pages in `printer` (a printer on SamplePages).
void MakeSamplePages(TRptPrinter& printer, int count);

}  // namespace ormind::testing
