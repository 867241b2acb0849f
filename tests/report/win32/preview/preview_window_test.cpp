// The preview window on a five-page report made through the page printer: the page is played
// once per zoom and page, a close during the window's own operations waits for them, a printer
// freed under the window leaves it whole, and opening and closing it leaves nothing behind.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/message_loop.h"
#include "report/printer/printer.h"
#include "report/win32/preview/page_bitmap.h"
#include "report/win32/preview/preview_dialogs.h"
#include "report/win32/preview/standard_preview.h"
#include "report/win32/message_port.h"
#include "tests/report/printer/printer_fakes.h"
#include "tests/report/win32/preview/sample_pages.h"

namespace ormind {
namespace {

using testing::FakeDevice;
using testing::Log;

class PreviewWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    printer = std::make_unique<TRptPrinter>(std::make_unique<FakeDevice>(log), pages, messages);
    ormind::testing::MakeSamplePages(*printer, 5);
  }
  void TearDown() override {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  TRptStandardPreview& Open() {
    auto* window = new TRptStandardPreview(nullptr, printer.get());  // frees itself
    window->Show();
    handle = window->Handle();
    ProcessPendingMessages();
    return *window;
  }
  void Repaint() {
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  Log log;
  ormind::testing::SamplePages pages;
  TRptWin32MessagePort messages;
  std::unique_ptr<TRptPrinter> printer;
  HWND handle = nullptr;
};

TEST_F(PreviewWindow, PlaysThePagePictureOncePerZoomAndPage) {
  struct Row {
    const char* what;
    std::function<void(TRptStandardPreview&)> action;
    int played;  // how often the page is played for the action and a repaint
  };
  const auto scrolls = [](UINT message, WPARAM request) {
    return [=](TRptStandardPreview& w) {
      const int32_t before = w.RptPreview.ScrollPosition(SB_VERT);
      for (int i = 0; i < 3; ++i) SendMessageW(w.RptPreview.Handle(), message, request, 0);
      EXPECT_GT(w.RptPreview.ScrollPosition(SB_VERT), before) << "the page moved";
    };
  };
  const std::vector<Row> rows = {
      {"fit width", [](auto& w) { w.ZoomToWidthClick(); }, 1},
      {"repaints", [&](auto&) { Repaint(); Repaint(); }, 0},
      {"the scroll bar", scrolls(WM_VSCROLL, SB_LINEDOWN), 0},
      {"the wheel", scrolls(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA)), 0},
      {"the same zoom again", [](auto& w) { w.ZoomToWidthClick(); }, 0},
      {"another zoom", [](auto& w) { w.ZoomToFitClick(); }, 1},
      {"another page", [](auto& w) { w.NextPageClick(); }, 1},
  };
  TRptStandardPreview& window = Open();
  for (const Row& row : rows) {
    const int before = window.RptPreview.Image().Pixels().Renders();
    row.action(window);
    Repaint();
    EXPECT_EQ(window.RptPreview.Image().Pixels().Renders() - before, row.played) << row.what;
  }
}

// A size no bitmap can be made for (GDI refuses 60000 x 60000) paints a blank page over what
// the window showed before, at every size tried.
TEST(PageBitmap, ABitmapThatCannotBeMadeShowsABlankPage) {
  const TRptEmfImage picture(testing::MakeTestEmf(21000, 29700, 0, 1));
  TRptPageBitmap bitmap;
  bitmap.SetPicture(&picture);
  ASSERT_TRUE(bitmap.HasPicture());
  const WindowDC screen(nullptr);
  MemoryDC target(screen.Get());
  BitmapHandle pixels(CreateCompatibleBitmap(screen.Get(), 40, 40));
  SelectedObject selected(target.Get(), pixels.Get());
  for (const int32_t size : {60000, 70000}) {
    SetPixel(target.Get(), 10, 10, RGB(255, 0, 0));  // the earlier page's pixels
    bitmap.Paint(target.Get(), size, size, RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(target.Get(), 10, 10), RGB(255, 255, 255)) << size;
    EXPECT_EQ(bitmap.Renders(), 0);
  }
}

TEST_F(PreviewWindow, CloseDuringTheWindowsOwnOperationWaitsForIt) {
  const std::vector<std::pair<const char*, void (TRptStandardPreview::*)()>> rows = {
      {"zoom to fit", &TRptStandardPreview::ZoomToFitClick},
      {"100%", &TRptStandardPreview::ZoomTo100Click},
      {"zoom to width", &TRptStandardPreview::ZoomToWidthClick},
  };
  for (const auto& [what, click] : rows) {
    TRptStandardPreview& window = Open();
    PostMessageW(handle, WM_CLOSE, 0, 0);  // arrives while the click lets messages through
    (window.*click)();
    EXPECT_TRUE(IsWindow(handle)) << what << ": the window outlives its own handler";
    ProcessPendingMessages();
    EXPECT_FALSE(IsWindow(handle)) << what << ": and closes afterwards";
    EXPECT_FALSE(printer->PreviewShown()) << what;
  }
}

TEST_F(PreviewWindow, APrinterFreedUnderTheWindowLeavesItWhole) {
  TRptStandardPreview& window = Open();
  window.ZoomToWidthClick();
  printer.reset();
  EXPECT_EQ(window.RptPreview.Printer(), nullptr);
  EXPECT_FALSE(window.RptPreview.Image().HasPicture());
  window.NextPageClick();
  window.ZoomToFitClick();
  Repaint();
  SendMessageW(handle, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(handle));
}

TEST_F(PreviewWindow, DialogFiltersAreAsTheFileTypeIsNamed) {
  EXPECT_EQ(SaveReportFilter(), "Report file(*.ORP)|*.ORP");
  EXPECT_EQ(LoadReportFilter(), "Report file (*.ORP)|*.ORP");
}

size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters.WorkingSetSize + counters.PagefileUsage;
}

TEST_F(PreviewWindow, OpeningAndClosingAHundredTimesLeavesNothingBehind) {
  const auto counts = [] {
    return std::vector<int>{TWindow::LiveWindows(), BitmapHandle::LiveCount(),
                            EnhMetaFileHandle::LiveCount(), OwnedDC::LiveCount(),
                            ImageListHandle::LiveCount(), BrushHandle::LiveCount()};
  };
  const std::vector<int> before = counts();
  size_t afterFirst = 0;
  for (int cycle = 1; cycle <= 100; ++cycle) {
    TRptStandardPreview& window = Open();
    window.ZoomToWidthClick();
    window.LastPageClick();
    Repaint();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    ProcessPendingMessages();
    ASSERT_FALSE(IsWindow(handle));
    ASSERT_EQ(counts(), before) << "after cycle " << cycle;
    if (cycle == 1) afterFirst = WorkingSet();
  }
  EXPECT_LT(WorkingSet(), afterFirst + 1024 * 1024);
}

// Opened from a saved report the preview is the program's only window: the taskbar and
// Alt+Tab show the program's icon for it, at both sizes.
TEST_F(PreviewWindow, CarriesTheProgramsLargeAndSmallIcons) {
  Open();
  EXPECT_NE(GetClassLongPtrW(handle, GCLP_HICON), 0u);
  EXPECT_NE(GetClassLongPtrW(handle, GCLP_HICONSM), 0u);
}

// Moved to a monitor of another scale, the window takes the size the system suggests and its
// toolbar, Close button and status panels follow the new DPI: glyphs of 32 pixels from 144 on,
// buttons grown with them, the Close button after the last button, the panels scaled.
TEST_F(PreviewWindow, FollowsADpiChange) {
  TRptStandardPreview& window = Open();
  ShowWindow(handle, SW_RESTORE);
  const HWND bar = window.ToolBar1.Handle();
  const auto padding = static_cast<DWORD>(SendMessageW(bar, TB_GETPADDING, 0, 0));
  const struct { int dpi, glyph; } cases[] = {{144, 32}, {192, 32}, {120, 16}, {96, 16}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    // Sizes that fit the test's screen, which the system keeps a window within.
    const RECT suggested{50 + c.dpi / 8, 40, 650 + c.dpi, 540};
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    ProcessPendingMessages();
    RECT frame{};
    GetWindowRect(handle, &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested))
        << "the suggested place, not " << frame.left << "," << frame.top << "," << frame.right
        << "," << frame.bottom;
    int glyphWidth = 0, glyphHeight = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0)),
                          &glyphWidth, &glyphHeight);
    EXPECT_EQ(glyphWidth, c.glyph);
    EXPECT_EQ(glyphHeight, c.glyph);
    const auto button = static_cast<DWORD>(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(HIWORD(button), c.glyph + HIWORD(padding)) << "buttons fit the glyphs";
    RECT last{}, close{}, toolbar{};
    const auto count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    SendMessageW(bar, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    GetWindowRect(window.ExitButton.Handle(), &close);
    GetWindowRect(bar, &toolbar);
    EXPECT_EQ(close.left - toolbar.left, last.right) << "Close right after the last button";
    EXPECT_EQ(close.bottom - close.top, MulDiv(22, c.dpi, 96));
    int edges[2] = {};
    SendMessageW(window.StatusBar.Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], MulDiv(40, c.dpi, 96)) << "the progress panel";
  }
}

// What the thread's windows were sent and what they took from the queue while Alt+C ran.
int g_keyMenuCommands = 0, g_systemChars = 0;
LRESULT CALLBACK NoteKeyMenu(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code >= 0 && sent->message == WM_SYSCOMMAND && (sent->wParam & 0xFFF0) == SC_KEYMENU)
    ++g_keyMenuCommands;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK NoteSystemChar(int code, WPARAM wParam, LPARAM lParam) {
  const auto* taken = reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && wParam == PM_REMOVE && taken->message == WM_SYSCHAR) ++g_systemChars;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Alt+C, the Close button's access key, closes the window. The character TranslateMessage
// makes of the key must not reach DefWindowProc: it would look the character up among the
// menu's access keys (SC_KEYMENU) and, the window having no menu, beep.
TEST_F(PreviewWindow, AltCClosesTheWindowWithoutAMenuLookUp) {
  TRptStandardPreview& window = Open();
  const HWND focus = window.RptPreview.Handle();
  BYTE keys[256] = {}, held[256] = {};
  GetKeyboardState(keys);
  std::copy(std::begin(keys), std::end(keys), held);
  held[VK_MENU] = 0x80;
  SetKeyboardState(held);
  g_keyMenuCommands = g_systemChars = 0;
  HHOOK sentHook = SetWindowsHookExW(WH_CALLWNDPROC, NoteKeyMenu, nullptr, GetCurrentThreadId());
  HHOOK queueHook = SetWindowsHookExW(WH_GETMESSAGE, NoteSystemChar, nullptr, GetCurrentThreadId());
  // What the keyboard gives: the key with Alt held (context bit 29), then the message loop
  // translates it.
  const LPARAM altC = 1 | (LPARAM(MapVirtualKeyW('C', MAPVK_VK_TO_VSC)) << 16) | (LPARAM(1) << 29);
  PostMessageW(focus, WM_SYSKEYDOWN, 'C', altC);
  ProcessPendingMessages();
  UnhookWindowsHookEx(queueHook);
  UnhookWindowsHookEx(sentHook);
  SetKeyboardState(keys);
  EXPECT_FALSE(IsWindow(handle)) << "Alt+C closes the preview";
  EXPECT_EQ(g_systemChars, 1) << "the key became its character";
  EXPECT_EQ(g_keyMenuCommands, 0) << "no menu was looked for";
}

}  // namespace
}  // namespace ormind
