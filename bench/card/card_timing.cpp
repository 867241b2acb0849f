// Times the card from the editor's print button to its first paint in the preview, under wine:
// loading the background picture, generating the page into a page picture (an enhanced
// metafile in the page list), reading it back and playing it into a bitmap at the preview's
// fit-width size. The floor is decoding the background JPEG alone.
//   card_timing.exe [RUNS]       prints one line per run and the medians, in milliseconds
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "card/greeting_fill.h"
#include "card/win32/card_journey.h"
#include "pictures/jpeg_decoder.h"
#include "report/win32/report_graphic.h"
#include "platform/handles.h"
#include "platform/resource_bytes.h"
#include "report/printer/printer.h"
#include "report/win32/message_port.h"
#include "report/win32/preview/page_bitmap.h"
#include "report/win32/preview/page_player.h"
#include "report/win32/win32_printer_device.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::span<const uint8_t> BackgroundJpeg() {
  return ResourceBytes(GetModuleHandleW(nullptr), L"CARD_BACKGROUND", RT_RCDATA);
}

double DecodeFloor() {
  const auto start = Clock::now();
  const PixelImage image = DecodeJpeg(BackgroundJpeg());
  return image.Empty() ? 0 : Since(start);
}

// The page drawn once as the preview draws it, into a bitmap of its fit-width size (a
// 614-pixel-wide page).
void PaintFirstPreview(TRptPrinter& printer) {
  TRptPageBitmap preview;
  const auto page = printer.GetPage(1);
  preview.SetPicture(page.get());
  const WindowDC screen(nullptr);
  MemoryDC dc(screen.Get());
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), 614, 868));
  SelectedObject selected(dc.Get(), bitmap.Get());
  preview.Paint(dc.Get(), 614, 868, RGB(128, 128, 128));
  GdiFlush();
}

double CardToScreen(const std::string& backgroundPath) {
  TRptScreenCanvas reference;
  TRptEmfRecorder recorder;
  TRptWin32MessagePort messages;
  TReport1 card(reference.Canvas(), SystemReportSettings(), ProgramPictureFormats());
  const auto start = Clock::now();
  const TGreetingTexts texts{"Dear Anna", "Happy birthday\r\nВсего наилучшего", "Paul"};
  FillCard(card, texts, backgroundPath, [](const std::string&) { return true; }, {});
  const double loaded = Since(start);
  TRptPrinter printer(std::make_unique<TRptWin32PrinterDevice>(), recorder, messages);
  card.GeneratePages(printer);
  const double generated = Since(start);
  PaintFirstPreview(printer);
  const double total = Since(start);
  std::printf("  picture loaded %.1f, page generated %.1f, first paint %.1f ms\n", loaded,
              generated - loaded, total - generated);
  return total;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace
}  // namespace ormind

int wmain(int argc, wchar_t** argv) {
  using namespace ormind;
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
  // The background as the settings would name it: the same JPEG, written to a file.
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::string path = WideToUtf8(folder) + "ormind-card-timing.jpg";
  {
    const auto jpeg = BackgroundJpeg();
    FILE* out = _wfopen(Utf8ToWide(path).c_str(), L"wb");
    fwrite(jpeg.data(), 1, jpeg.size(), out);
    fclose(out);
  }
  std::vector<double> floors, cards;
  for (int run = 1; run <= runs; ++run) {
    floors.push_back(DecodeFloor());
    cards.push_back(CardToScreen(path));
    std::printf("run %d: decode %.1f ms, card to first paint %.1f ms\n", run, floors.back(),
                cards.back());
  }
  const double floor = Median(floors), card = Median(cards);
  std::printf("pictures drawn down by the preview: %d\n", PagePicturesDrawnDown());
  std::printf("median: decode %.1f ms, card to first paint %.1f ms, ratio %.2f\n", floor, card,
              card / floor);
  DeleteFileW(Utf8ToWide(path).c_str());
  return 0;
}
