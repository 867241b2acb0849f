// The program's memory across card previews, under wine: the application, the card and its
// hidden editor made as at start, then the card shown in the preview and closed again, 100
// times by default. Prints the working set (WorkingSetSize + PagefileUsage: PrivateUsage reads 0
// under wine) and the live objects of the program's own handle owners after start and after
// each step; a leak shows as growth per preview.
//   card_memory.exe [PREVIEWS]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "card/greeting_fill.h"
#include "card/win32/card_journey.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "report/win32/preview/preview_interface.h"
#include "report/win32/report_graphic.h"
#include "ui/app/application.h"

namespace ormind {
namespace {

double MegabytesInUse() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return double(counters.WorkingSetSize + counters.PagefileUsage) / (1024 * 1024);
}

void Report(const char* when) {
  // The built-in background's copy held for page pictures: 0 x 0 until a card was shown.
  const SIZE copy =
      dynamic_cast<const TRptWindowsGraphic&>(*BuiltInCardBackground()).ScaledCopy().size;
  std::printf("%-19s %6.1f MB  background copy %ld x %ld; windows %d, bitmaps %d, fonts %d, "
              "brushes %d, regions %d, page pictures %d, icons %d\n",
              when, MegabytesInUse(), copy.cx, copy.cy, TWindow::LiveWindows(), BitmapHandle::LiveCount(),
              FontHandle::LiveCount(), BrushHandle::LiveCount(), RegionHandle::LiveCount(),
              EnhMetaFileHandle::LiveCount(), IconHandle::LiveCount());
  std::fflush(stdout);
}

int previewsShown = 0;

// Closes the preview once its page is generated and painted, as a user's Close would: its
// status bar says "... of 1" then (during generation, "of 0").
void CALLBACK CloseShownPreview(HWND, UINT, UINT_PTR, DWORD) {
  HWND preview = FindWindowW(L"TRptStandardPreview", nullptr);
  if (!preview || !IsWindowVisible(preview)) return;
  HWND status = FindWindowExW(preview, nullptr, STATUSCLASSNAMEW, nullptr);
  wchar_t text[256] = L"";
  if (!status || LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, 1, 0)) >= 256) return;
  SendMessageW(status, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  if (!std::wstring(text).ends_with(L" 1")) return;
  UpdateWindow(preview);
  PostMessageW(preview, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace ormind

int wmain(int argc, wchar_t** argv) {
  using namespace ormind;
  const int previews = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  TApplication application;
  application.Initialize(GetModuleHandleW(nullptr), L"Ormind!");
  SetRptPreviewOwner(application.Handle());
  TCardJourney card(application.SkinHost(), "");
  card.Create();
  Report("after start");
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseShownPreview);
  const TGreetingTexts texts{"Dear Anna", "Happy birthday\r\nВсего наилучшего", "Paul"};
  for (int n = 1; n <= previews; ++n) {
    FillCard(card.Report1, texts, "", [](const std::string&) { return true; }, {});
    card.Report1.Preview();
    ++previewsShown;
    if (n == 1 || n == 10 || n == 50 || n == previews) {
      Report(("after " + std::to_string(n) + (n == 1 ? " preview" : " previews")).c_str());
    }
  }
  KillTimer(nullptr, timer);
  return previewsShown == previews ? 0 : 1;
}
