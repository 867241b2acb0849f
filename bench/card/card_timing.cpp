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

// The page played once into a bitmap of the preview's fit-width size (a 614-pixel-wide page).
void PaintFirstPreview(TRptPrinter& printer) {
  const auto page = printer.GetPage(1);
  const auto& emf = dynamic_cast<const TRptEmfImage&>(*page).Bytes();
  EnhMetaFileHandle metafile(SetEnhMetaFileBits(static_cast<UINT>(emf.size()), emf.data()));
  HDC screen = GetDC(nullptr);
  MemoryDC dc(screen);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen, 614, 868));
  ReleaseDC(nullptr, screen);
  SelectedObject selected(dc.Get(), bitmap.Get());
  const RECT area{0, 0, 614, 868};
  FillRect(dc.Get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(dc.Get(), metafile.Get(), &area);
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
  std::printf("median: decode %.1f ms, card to first paint %.1f ms, ratio %.2f\n", floor, card,
              card / floor);
  DeleteFileW(Utf8ToWide(path).c_str());
  return 0;
}
