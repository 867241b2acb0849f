// The window base: binding, lifetime order, notification routing, the error funnel.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/handler_errors.h"
#include "platform/standard_controls.h"
#include "platform/status_bar.h"
#include "platform/toolbar.h"
#include "test_window.h"

namespace ormind {
namespace {

using testing::TestWindow;

// A child window that notes when its object is gone; a hook counts what its window is sent
// after that.
HWND g_probeWindow = nullptr;
bool g_probeGone = false;
bool g_probeWindowOutlivedObject = false;
int g_messagesAfterProbeGone = 0;

LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (code >= 0 && g_probeGone && sent->hwnd == g_probeWindow) ++g_messagesAfterProbeGone;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Probe final : public TWindow {
 public:
  void Create(TWindow& parent) {
    CreateHandle({.name = L"OrmindTestProbe"},
                 {.style = WS_CHILD | WS_VISIBLE, .width = 50, .height = 50, .parent = parent.Handle()});
    g_probeWindow = Handle();
  }
  ~Probe() override {
    g_probeWindowOutlivedObject = IsWindow(g_probeWindow) != FALSE;
    g_probeGone = true;
    DestroyHandle();
  }
};

// The owner declares the probe as a member and destroys its window first.
class Host final : public TestWindow {
 public:
  Host() { probe.Create(*this); }
  ~Host() override { DestroyHandle(); }
  Probe probe;
};

TEST(WindowBase, ChildWindowsDieBeforeTheObjectsThatOwnThem) {
  g_probeGone = g_probeWindowOutlivedObject = false;
  g_messagesAfterProbeGone = 0;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const int before = TWindow::LiveWindows();
  {
    Host host;
    EXPECT_EQ(TWindow::FromHandle(host.probe.Handle()), &host.probe);
    EXPECT_EQ(TWindow::LiveWindows(), before + 2);
  }
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(g_probeGone);
  EXPECT_FALSE(g_probeWindowOutlivedObject);
  EXPECT_EQ(g_messagesAfterProbeGone, 0);
  EXPECT_EQ(TWindow::LiveWindows(), before);
}

TEST(WindowBase, DestroyingAWindowLeavesItsObjectsWithoutHandles) {
  Host host;
  TEdit edit;
  edit.Create(host, {0, 0, 100, 20}, 101);
  DestroyWindow(host.Handle());
  EXPECT_EQ(host.Handle(), nullptr);
  EXPECT_EQ(host.probe.Handle(), nullptr);
  EXPECT_EQ(edit.Handle(), nullptr);
  EXPECT_EQ(TWindow::FromHandle(GetDesktopWindow()), nullptr);  // not one of ours
}

TEST(WindowBase, AnErrorInAHandlerIsReportedOnceAndTheWindowCarriesOn) {
  std::vector<std::string> reported;
  const ErrorReporter previous =
      SetErrorReporter([&](const std::string& message) { reported.push_back(message); });
  TestWindow window;
  window.onMessage = [](UINT message) {
    if (message == WM_APP) throw std::runtime_error("broken handler");
  };
  EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 0);
  window.onMessage = nullptr;
  EXPECT_EQ(SendMessageW(window.Handle(), WM_SETTEXT, 0, LPARAM(L"still here")), TRUE);
  SetErrorReporter(previous);
  EXPECT_EQ(reported, std::vector<std::string>{"broken handler"});
}

WNDPROC g_original = nullptr;
LRESULT CALLBACK PassThrough(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_original, window, message, wParam, lParam);
}

TEST(WindowBase, ASubclassedWindowStillReachesItsObject) {
  // Tooltips that follow the mouse over a window put their own procedure in front of it.
  TestWindow window;
  g_original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassThrough)));
  int seen = 0;
  window.onMessage = [&](UINT message) { seen += message == WM_APP; };
  SendMessageW(window.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(TWindow::FromHandle(window.Handle()), &window);
}

// A strip of three 16 x 16 glyphs.
BitmapHandle GlyphStrip() {
  const HDC screen = GetDC(nullptr);
  BitmapHandle strip(CreateCompatibleBitmap(screen, 48, 16));
  ReleaseDC(nullptr, screen);
  return strip;
}

TEST(Controls, NotificationsReachTheNamedHandlersOfTheOwningWindow) {
  TestWindow window;
  TEdit edit;
  TPushButton button;
  TToolBar toolbar;
  TStatusBar status;
  edit.Create(window, {10, 40, 100, 20}, 101);
  button.Create(window, "OK", {120, 40, 60, 24}, 102);
  const BitmapHandle glyphs = GlyphStrip();
  toolbar.Create(window, 103, glyphs.Get(), 16, RGB(255, 0, 255));
  toolbar.AddButton({.id = 201, .image = 0, .hint = "Whole page", .checkGroup = true, .checked = true});
  toolbar.AddButton({.id = 202, .image = 1, .hint = "Page width", .checkGroup = true});
  toolbar.AddSeparator();
  toolbar.AddButton({.id = 203, .image = 2, .hint = "Print", .enabled = false});
  status.Create(window, 104, {120, 200});

  int changes = 0, clicks = 0;
  std::vector<int> tools;
  edit.OnChange = [&] { ++changes; };
  button.OnClick = [&] { ++clicks; };
  toolbar.OnClick = [&](int id) { tools.push_back(id); };

  edit.SetText("Dear friend");
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(202, BN_CLICKED), LPARAM(toolbar.Handle()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit.Text(), "Dear friend");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(tools, std::vector<int>{202});
  EXPECT_TRUE(window.commands.empty());

  EXPECT_TRUE(toolbar.Checked(201));
  EXPECT_FALSE(toolbar.ButtonEnabled(203));
  toolbar.SetButtonEnabled(203, true);
  EXPECT_TRUE(toolbar.ButtonEnabled(203));

  // The toolbar's tooltip asks the window for a hint; the toolbar answers.
  NMTTDISPINFOW request{};
  request.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(toolbar.Handle(), TB_GETTOOLTIPS, 0, 0));
  request.hdr.idFrom = 202;
  request.hdr.code = TTN_GETDISPINFOW;
  ASSERT_NE(request.hdr.hwndFrom, nullptr);
  SendMessageW(window.Handle(), WM_NOTIFY, 0, LPARAM(&request));
  ASSERT_NE(request.lpszText, nullptr);
  EXPECT_STREQ(request.lpszText, L"Page width");

  status.SetPanelText(1, "Page 1 of 2");
  EXPECT_EQ(status.PanelText(1), "Page 1 of 2");
}

TEST(Controls, AnEditPaintsWithTheColoursItWasGiven) {
  TestWindow window;
  TEdit edit;
  edit.Create(window, {10, 10, 100, 20}, 101, {.flat = true});
  const HDC dc = GetDC(edit.Handle());
  edit.SetColors(RGB(0, 0, 128), RGB(255, 255, 200));
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(window.Handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(edit.Handle())));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH described{};
  GetObjectW(brush, sizeof(described), &described);
  EXPECT_EQ(described.lbColor, RGB(255, 255, 200));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128));
  ReleaseDC(edit.Handle(), dc);
}

}  // namespace
}  // namespace ormind
