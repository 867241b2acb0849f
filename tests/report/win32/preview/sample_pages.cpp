#include "tests/report/win32/preview/sample_pages.h"

#include "report/printer/printer.h"
#include "tests/report/win32/sample_page.h"

namespace ormind::testing {
namespace {

struct SampleRecording final : TRptPageRecording {
  explicit SampleRecording(const std::vector<uint8_t>& bytes) : bytes(bytes) {}
  TRptCanvas& Canvas() override { return canvas; }
  std::unique_ptr<TRptPagePicture> Close() override { return std::make_unique<TRptEmfImage>(bytes); }
  const std::vector<uint8_t>& bytes;
  NullCanvas canvas;
};

}  // namespace

std::unique_ptr<TRptPageRecording> SamplePages::BeginPage(int32_t, int32_t) {
  if (bytes.empty()) bytes = RecordSamplePage();
  return std::make_unique<SampleRecording>(bytes);
}

void MakeSamplePages(TRptPrinter& printer, int count) {
  printer.OpenDocument();
  for (int i = 0; i < count; ++i) printer.NewPage();
  printer.CloseDocument();
}

}  // namespace ormind::testing
