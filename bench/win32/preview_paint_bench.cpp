// How long the preview takes to repaint the card-sized (A4) page at fit width in a 1024 x 650
// page area: the first paint at a zoom (the page picture is played into the cached pixels),
// the repaints after it (copied from them), and for comparison playing the picture for every
// paint as a preview without the cache would.
//   preview_paint_bench [REPEATS]    prints milliseconds per paint (median of REPEATS)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/handles.h"
#include "platform/message_loop.h"
#include "report/printer/printer.h"
#include "report/win32/preview/standard_preview.h"
#include "report/win32/message_port.h"
#include "tests/report/win32/preview/sample_pages.h"

namespace {

using namespace ormind;

double Milliseconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  work();
  QueryPerformanceCounter(&end);
  return (end.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int repeats = argc > 1 ? _wtoi(argv[1]) : 50;
  testing::Log log;
  testing::SamplePages pages;
  TRptWin32MessagePort messages;
  TRptPrinter printer(std::make_unique<testing::FakeDevice>(log), pages, messages);
  testing::MakeSamplePages(printer, 1);

  auto* window = new TRptStandardPreview(nullptr, &printer);
  window->Show();
  ShowWindow(window->Handle(), SW_RESTORE);
  SetWindowPos(window->Handle(), nullptr, 0, 0, 1100, 800, SWP_NOZORDER);
  ProcessPendingMessages();
  TRptPreview& area = window->RptPreview;
  area.SetBounds(0, 40, 1024, 650);
  area.FitWidth();
  const HWND image = area.Image().Handle();
  const auto paint = [image] {
    RedrawWindow(image, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
  };

  std::vector<double> first, again, played;
  for (int i = 0; i < repeats; ++i) {
    // A new picture is read from the page list and played as it is shown.
    first.push_back(Milliseconds([&] { area.Image().SetPage(1); GdiFlush(); }));
    again.push_back(Milliseconds(paint));
  }
  const TRptImagePlacement placement = area.Placement();
  {
    WindowDC screen(nullptr);
    MemoryDC target(screen.Get());
    BitmapHandle pixels(CreateCompatibleBitmap(screen.Get(), placement.Width, placement.Height));
    SelectedObject selected(target.Get(), pixels.Get());
    const std::vector<uint8_t> bytes = printer.GetPage(1)->Bytes();
    EnhMetaFileHandle picture(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
    for (int i = 0; i < repeats; ++i) {
      played.push_back(Milliseconds([&] {
        DrawFramedPage(target.Get(), picture.Get(), placement.Width, placement.Height);
        GdiFlush();
      }));
    }
  }
  std::printf("page image %d x %d at zoom %d %% in a 1024 x 650 area, median of %d\n",
              placement.Width, placement.Height, area.Zoom(), repeats);
  std::printf("showing a page (reads and plays it):    %.2f ms\n", Median(first));
  std::printf("repaint (cached pixels):               %.2f ms\n", Median(again));
  std::printf("playing the page for every paint:      %.2f ms\n", Median(played));
  DestroyWindow(window->Handle());
  return 0;
}
