// Printing a five-page report file: from the start of the document until the job is handed to
// the spooler, against playing the same pages into a memory bitmap of the printable area (the
// floor: the drawing alone, without a printer). Runs under a real queue (run.sh sets one up).
//   print_bench FILE.orp [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "report/printer/printer.h"
#include "report/pages/report_file.h"
#include "report/win32/emf_recorder.h"
#include "report/win32/win32_printer_device.h"
#include "tests/report/win32/test_report_pages.h"

namespace {

using namespace ormind;

struct QuietPort : TRptMessagePort {
  void ProcessMessages() override {}
  void Post(TRptWindowRef, uint32_t, uintptr_t, intptr_t) override {}
  void Send(TRptWindowRef, uint32_t, uintptr_t, intptr_t) override {}
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

double MedianMs(int runs, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const int runs = argc > 2 ? _wtoi(argv[2]) : 11;
  const std::u8string path8 = std::filesystem::path(argv[1]).u8string();
  const std::string path(path8.begin(), path8.end());
  QuietPort port;
  TRptEmfRecorder recorder(96);

  TRptPrinter stored(std::make_unique<TRptWin32PrinterDevice>(), recorder, port);
  LoadReportFile(stored, path);
  stored.SetJobTitle("Bench stored pages");
  const double printStored = MedianMs(runs, [&] { stored.PrintPages(); });

  TRptPrinter generated(std::make_unique<TRptWin32PrinterDevice>(), recorder, port);
  generated.SetTarget(TRptOutputTarget::ToPrinter);
  generated.SetJobTitle("Bench generated pages");
  const double printGenerated = MedianMs(runs, [&] {
    generated.CleanUp();
    generated.OpenDocument();
    for (int n = 1; n <= 5; ++n) {
      generated.NewPage();
      testing::DrawTestPage(generated.PageCanvas(), n,
                            generated.ToDeviceWidth(generated.PaperWidthValue()),
                            generated.ToDeviceHeight(generated.PaperLengthValue()));
    }
    generated.CloseDocument();
  });

  // The floor: the same five stored pages played into a bitmap of the printable area.
  TRptWin32PrinterDevice device;
  const TRptDeviceCaps caps = device.Capabilities();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), caps.PrintableWidth, -caps.PrintableHeight, 1, 24, BI_RGB};
  void* bits = nullptr;
  const BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const MemoryDC dc(nullptr);
  const SelectedObject selected(dc.Get(), bitmap.Get());
  const RECT area{0, 0, caps.PrintableWidth, caps.PrintableHeight};
  const double floor = MedianMs(runs, [&] {
    for (int n = 1; n <= 5; ++n) {
      const std::vector<uint8_t> bytes = stored.GetPage(n)->Bytes();
      const EnhMetaFileHandle page(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()));
      PlayEnhMetaFile(dc.Get(), page.Get(), &area);
    }
    GdiFlush();
  });

  // What the job costs with nothing drawn: context, document, five pages, hand-over.
  const double emptyJob = MedianMs(runs, [&] {
    TRptWin32PrinterDevice printer;
    printer.StartJob("Bench empty pages");
    printer.StartPage();
    for (int n = 2; n <= 5; ++n) printer.EndPage(), printer.StartPage();
    printer.EndJob();
  });

  std::printf("printable area %d x %d at %d dpi, median of %d runs\n", caps.PrintableWidth,
              caps.PrintableHeight, caps.DotsPerInchX, runs);
  std::printf("stored pages printed (apply settings .. EndDoc)   %8.1f ms\n", printStored);
  std::printf("pages generated onto the printer (Open .. Close)   %8.1f ms\n", printGenerated);
  std::printf("five empty pages (StartDoc .. EndDoc)              %8.1f ms\n", emptyJob);
  std::printf("floor: stored pages played into a bitmap           %8.1f ms\n", floor);
  return 0;
}
