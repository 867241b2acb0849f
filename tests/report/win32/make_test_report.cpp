// Records a numbered test report through the page printer's own recorder and GDI canvas and
// saves it as a report file:
//   make_test_report OUT.orp PAGES WIDTH HEIGHT TITLE
// WIDTH and HEIGHT are the page's size in 0.1 mm (2100 2970: A4 portrait). Page n has a band
// across its top in the colour kPageColours[n - 1] and its number in large type below it.
#include <filesystem>
#include <string>

#include "report/pages/page_list.h"
#include "report/printer/printer_device.h"
#include "report/win32/emf_recorder.h"
#include "tests/report/win32/test_report_pages.h"

namespace {

int32_t Pixels(int32_t mm10) { return (mm10 * 96 + 127) / 254; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace ormind;
  if (argc != 6) return 2;
  const int pages = _wtoi(argv[2]);
  const int32_t width = Pixels(_wtoi(argv[3])), height = Pixels(_wtoi(argv[4]));
  const std::u8string title = std::filesystem::path(argv[5]).u8string();
  TRptEmfRecorder recorder(96);
  recorder.SetDocumentTitle(std::string(title.begin(), title.end()));
  TRptPageList list;
  list.SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
  for (int n = 1; n <= pages; ++n) {
    const auto page = recorder.BeginPage(width, height);
    testing::DrawTestPage(page->Canvas(), n, width, height);
    list.AppendPage(*page->Close());
  }
  list.Complete();
  const std::u8string out = std::filesystem::path(argv[1]).u8string();
  list.WriteToFile(std::string(out.begin(), out.end()));
  return 0;
}
