// The tray icon against a recording shell: what it tells the shell, and how it reacts to the
// mouse messages the shell sends its window.
#include "ui/tray/tray_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/tray/tray_test_support.h"
#include "platform/handler_errors.h"
#include "ui/app/single_instance.h"

namespace ormind {
namespace {

using testing::PumpPending;
using testing::PumpUntil;
using testing::RecordingShell;
using testing::SolidIcon;
using testing::Tip;

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    icon = SolidIcon(RGB(200, 0, 0));
    previousReporter = SetErrorReporter([this](const std::string& m) { errors.push_back(m); });
  }
  void TearDown() override {
    SetErrorReporter(previousReporter);
    DestroyIcon(icon);
  }
  // The tray icon as the main window sets it up: stored icon read, then the loaded notice.
  void Place(TTrayIcon& tray) {
    tray.SetIcon(icon);
    tray.Loaded();
  }
  void Mouse(TTrayIcon& tray, UINT mouseMessage) {
    SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, mouseMessage);
  }

  HICON icon = nullptr;
  RecordingShell shell;
  std::vector<std::string> errors;
  ErrorReporter previousReporter;
};

TEST_F(TrayIconTest, PlacingAndDestroyingTalkToTheShell) {
  {
    TTrayIcon tray(shell);
    EXPECT_TRUE(shell.calls.empty()) << "no icon yet: nothing is added";
    tray.SetIcon(icon);
    EXPECT_TRUE(shell.calls.empty()) << "the stored icon is set before the loaded notice";
    tray.Loaded();
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_MODIFY}))
        << "the icon arrives once";
    EXPECT_TRUE(tray.Added());
    const NOTIFYICONDATAW& added = shell.calls[1].record;
    EXPECT_EQ(added.cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_EQ(added.hWnd, tray.Handle());
    EXPECT_EQ(added.uID, 0u);
    EXPECT_EQ(added.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, 0xB054u);
    EXPECT_EQ(added.hIcon, tray.Icon().Handle());
    EXPECT_NE(added.hIcon, icon) << "the tray icon holds its own copy";
    EXPECT_EQ(Tip(added), L"");
    shell.calls.clear();
  }
  EXPECT_EQ(shell.Messages(), std::vector<DWORD>{NIM_DELETE}) << "destruction removes the icon";
}

TEST_F(TrayIconTest, TooltipIsShortPartOfHintCut) {
  struct Case {
    std::string hint;
    std::wstring tip;
    bool modifyAfterAdd;
  };
  const Case cases[] = {
      {"Ormind|reminds of birthdays", L"Ormind", false},
      {std::string(100, 'x'), std::wstring(63, L'x'), false},
      {"\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7\xD0\xB0\xD1\x82\xD1\x8C", L"\u041F\u043E\u043A\u0430\u0437\u0430\u0442\u044C", false},
      {"|only the long part", L"", true},
  };
  for (const auto& c : cases) {
    TTrayIcon tray(shell);
    tray.SetHint(c.hint);
    Place(tray);
    shell.calls.clear();
    tray.AddToTray();
    ASSERT_GE(shell.calls.size(), 2u);
    EXPECT_EQ(Tip(shell.calls[1].record), c.tip);
    EXPECT_EQ(shell.calls.size() == 3, c.modifyAfterAdd) << "a modify follows only an empty tip";
  }
}

TEST_F(TrayIconTest, FailedAddIsTriedAgainAndEmptyIconRemoves) {
  TTrayIcon tray(shell);
  shell.accept = false;
  Place(tray);
  EXPECT_FALSE(tray.Added());
  shell.accept = true;
  shell.calls.clear();
  tray.SetHint("Ormind");
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD})) << "the next refresh adds";
  EXPECT_TRUE(tray.Added());
  shell.calls.clear();
  tray.SetHint("Ormind");
  EXPECT_TRUE(shell.calls.empty()) << "the same hint changes nothing";
  tray.SetHint("Reminder");
  EXPECT_EQ(shell.Messages(), std::vector<DWORD>{NIM_MODIFY});
  shell.calls.clear();
  tray.Icon().Clear();
  EXPECT_EQ(shell.Messages(), std::vector<DWORD>{NIM_DELETE});
  EXPECT_FALSE(tray.Added());
  tray.SetActive(false);
  shell.calls.clear();
  tray.SetIcon(icon);
  EXPECT_TRUE(shell.calls.empty()) << "inactive: a new icon is not added";
  tray.SetActive(true);
  EXPECT_TRUE(tray.Added());
}

TEST_F(TrayIconTest, TaskbarRestartAddsTheIconAgain) {
  TTrayIcon tray(shell);
  Place(tray);
  shell.calls.clear();
  SendMessageW(tray.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_MODIFY}));
  tray.SetActive(false);
  shell.calls.clear();
  SendMessageW(tray.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(shell.calls.empty()) << "an inactive icon stays out";
}

// A shell as busy as one at logon: an add times out `timeouts` times; a timed-out add may
// still have put the icon there (`timeoutStillAdds`). A modify finds only an icon that is there.
struct BusyShell final : TrayShell {
  int timeouts = 0;
  bool timeoutStillAdds = false;
  bool present = false;
  std::string calls;  // a: add, m: modify, d: delete; upper case when accepted
  ShellVersion Version() const override { return {6, 1, 7601}; }
  bool Notify(DWORD message, const NOTIFYICONDATAW&) override {
    bool accepted = true;
    if (message == NIM_DELETE) present = false;
    if (message == NIM_MODIFY) accepted = present;
    if (message == NIM_ADD) {
      accepted = timeouts-- <= 0;
      present = present || accepted || timeoutStillAdds;
    }
    const char call = message == NIM_ADD ? 'a' : message == NIM_MODIFY ? 'm' : 'd';
    calls += accepted ? char(call - 'a' + 'A') : call;
    return accepted;
  }
};

TEST_F(TrayIconTest, AnAddThatTimesOutIsRetriedFromATimer) {
  std::string neverAccepts = "Da";
  for (int retry = 0; retry < 30; ++retry) neverAccepts += "ma";
  const struct {
    const char* what;
    int timeouts;
    bool timeoutStillAdds;
    int ticks;
    std::string calls;
  } cases[] = {
      {"times out twice, then accepts", 2, false, 3, "DamamAM"},
      {"timed out but the icon arrived: found by a modify", 1, true, 2, "DaMM"},
      {"never accepts: gives up after about a minute", 1000, false, 40, neverAccepts},
  };
  for (const auto& c : cases) {
    BusyShell busy;
    busy.timeouts = c.timeouts;
    busy.timeoutStillAdds = c.timeoutStillAdds;
    TTrayIcon tray(busy);
    tray.SetIcon(icon);
    tray.Loaded();
    for (int tick = 0; tick < c.ticks; ++tick) SendMessageW(tray.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(busy.calls, c.calls) << c.what;
    EXPECT_EQ(tray.Added(), c.timeouts < 1000) << c.what;
  }
}

// Records the events and reactions in order.
struct EventLog {
  std::vector<std::string> entries;
  void Hook(TTrayIcon& tray) {
    tray.OnMouseDown = [this](TTrayIcon&, MouseButton b, ShiftState s, int, int) {
      entries.push_back("down " + Name(b) + ((s & ssDouble) ? " double" : ""));
    };
    tray.OnMouseUp = [this](TTrayIcon&, MouseButton b, ShiftState, int, int) { entries.push_back("up " + Name(b)); };
    tray.OnClick = [this](TTrayIcon&, MouseButton b, ShiftState, int, int) { entries.push_back("click " + Name(b)); };
    tray.OnDblClick = [this](TTrayIcon&) { entries.push_back("dblclick"); };
    tray.OnMouseMove = [this](TTrayIcon&, ShiftState, int, int) { entries.push_back("move"); };
  }
  static std::string Name(MouseButton b) {
    return b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "middle";
  }
};

struct MainMenu {
  TTrayPopupMenu menu;
  TMenuItem& n1;
  TMenuItem& n2;
  explicit MainMenu(EventLog& log)
      : n1(menu.Add("N1", "Show", [&log] { log.entries.push_back("N1"); })),
        n2(menu.Add("N2", "Minimize", [&log] { log.entries.push_back("N2"); })) {
    n1.Default = true;
    menu.Add("N3", "-");
    menu.Add("N4", "Close", [&log] { log.entries.push_back("N4"); });
  }
};

TEST_F(TrayIconTest, DoubleClickRunsDefaultItemOnce) {
  TTrayIcon tray(shell);
  EventLog log;
  MainMenu menu(log);
  log.Hook(tray);
  tray.SetPopupMenu(&menu.menu);
  Place(tray);
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Mouse(tray, m);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"down left", "click left", "up left", "N1",
                                                   "down left double", "up left"}));

  log.entries.clear();
  menu.n1.Enabled = false;
  Mouse(tray, WM_LBUTTONDBLCLK);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"dblclick", "down left double"}))
      << "a disabled default item falls to the double-click event";

  log.entries.clear();
  menu.n1.Enabled = true;
  tray.SetActive(false);
  EXPECT_FALSE(tray.ClickDefaultItem()) << "an inactive icon runs no menu item";
  EXPECT_FALSE(tray.PopupMenuAt(10, 10)) << "an inactive icon opens no menu";
  EXPECT_TRUE(log.entries.empty());
  tray.SetActive(true);

  log.entries.clear();
  tray.SetEnabled(false);
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) Mouse(tray, m);
  EXPECT_TRUE(log.entries.empty()) << "disabled: mouse actions do nothing";
  EXPECT_TRUE(tray.Added()) << "disabled: the icon stays";
}

TEST_F(TrayIconTest, RightReleaseWithoutPressAndWithoutMenu) {
  TTrayIcon tray(shell);
  EventLog log;
  log.Hook(tray);
  {
    MainMenu menu(log);
    tray.SetPopupMenu(&menu.menu);
    Place(tray);
    Mouse(tray, WM_RBUTTONUP);
    EXPECT_EQ(log.entries, std::vector<std::string>{"up right"}) << "no press on the icon: no menu";
    Mouse(tray, WM_RBUTTONDBLCLK);
    Mouse(tray, WM_MBUTTONDOWN);
    Mouse(tray, WM_MBUTTONUP);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"up right", "down right double",
                                                     "down middle", "up middle"}));
  }
  EXPECT_EQ(tray.PopupMenu(), nullptr) << "a destroyed menu is forgotten";
  log.entries.clear();
  Mouse(tray, WM_RBUTTONDOWN);
  Mouse(tray, WM_RBUTTONUP);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"down right", "click right", "up right"}));
}

TEST_F(TrayIconTest, AddingForgetsPresses) {
  TTrayIcon tray(shell);
  EventLog log;
  log.Hook(tray);
  Place(tray);
  Mouse(tray, WM_LBUTTONDOWN);
  tray.AddToTray();
  Mouse(tray, WM_LBUTTONUP);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"down left", "up left"}));
}

TEST_F(TrayIconTest, HandlerErrorsAreReportedAndIconStaysUsable) {
  TTrayIcon tray(shell);
  EventLog log;
  MainMenu menu(log);
  tray.SetPopupMenu(&menu.menu);
  Place(tray);
  menu.n1.OnClick = [] { throw std::runtime_error("cannot show"); };
  tray.OnMouseDown = [](TTrayIcon&, MouseButton, ShiftState, int, int) { throw 42; };
  Mouse(tray, WM_LBUTTONDBLCLK);
  Mouse(tray, WM_LBUTTONDOWN);
  EXPECT_EQ(errors, (std::vector<std::string>{"cannot show", "Unknown error"}));
  tray.OnMouseDown = nullptr;
  menu.n1.OnClick = [&log] { log.entries.push_back("N1"); };
  Mouse(tray, WM_LBUTTONDBLCLK);
  EXPECT_EQ(log.entries, std::vector<std::string>{"N1"});
  EXPECT_TRUE(tray.Added());
}

TEST_F(TrayIconTest, HandlerThatDestroysTheIconEndsTheDispatch) {
  auto* tray = new TTrayIcon(shell);
  Place(*tray);
  int ups = 0;
  tray->OnClick = [&](TTrayIcon& sender, MouseButton, ShiftState, int, int) { delete &sender; };
  tray->OnMouseUp = [&](TTrayIcon&, MouseButton, ShiftState, int, int) { ++ups; };
  HWND window = tray->Handle();
  SendMessageW(window, WM_TRAYNOTIFY, 0, WM_LBUTTONDOWN);
  SendMessageW(window, WM_TRAYNOTIFY, 0, WM_LBUTTONUP);
  EXPECT_EQ(ups, 0) << "nothing runs on a destroyed icon";
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(shell.calls.back().message, DWORD(NIM_DELETE));
}

TEST_F(TrayIconTest, SecondStartAsksTheRunningCopyToShow) {
  SingleInstance first(L"Local\\OrmindTrayTest");
  EXPECT_FALSE(first.OtherIsRunning());
  {
    SingleInstance second(L"Local\\OrmindTrayTest");
    EXPECT_TRUE(second.OtherIsRunning());
  }
  SingleInstance other(L"Local\\OrmindTrayTestOther");
  EXPECT_FALSE(other.OtherIsRunning());

  TTrayIcon tray(shell);
  int requests = 0;
  tray.OnShowRequest = [&](TTrayIcon&) { ++requests; };
  EXPECT_FALSE(AskRunningCopyToShow([](HWND, UINT, WPARAM, LPARAM) { return FALSE; }))
      << "a request that cannot be posted finds no copy: this start runs normally";
  EXPECT_TRUE(AskRunningCopyToShow());
  EXPECT_TRUE(PumpUntil([&] { return requests == 1; }));
}

TEST_F(TrayIconTest, AnimationCyclesThroughIconsWhileInTray) {
  TTrayIcon tray(shell);
  tray.SetAnimated(true);
  EXPECT_FALSE(tray.Animated()) << "no frames: no animation";
  HICON frames[3] = {SolidIcon(RGB(255, 0, 0)), SolidIcon(RGB(0, 255, 0)), SolidIcon(RGB(0, 0, 255))};
  tray.Icons().BeginUpdate();
  for (HICON f : frames) tray.Icons().Add(f);
  EXPECT_TRUE(shell.calls.empty()) << "no report while a batch is open";
  tray.Icons().EndUpdate();
  for (HICON f : frames) DestroyIcon(f);
  Place(tray);
  tray.SetInterval(10);
  tray.SetAnimated(true);
  ASSERT_TRUE(tray.Animated());
  EXPECT_EQ(tray.Frame(), 0);
  EXPECT_EQ(tray.ShownIcon(), tray.Icons()[0]);
  shell.calls.clear();
  ASSERT_TRUE(PumpUntil([&] { return shell.calls.size() >= 4; }));
  std::vector<HICON> shown;
  for (const auto& c : shell.calls) {
    EXPECT_EQ(c.message, DWORD(NIM_MODIFY));
    shown.push_back(c.record.hIcon);
  }
  EXPECT_EQ(shown[0], tray.Icons()[1]);
  EXPECT_EQ(shown[1], tray.Icons()[2]);
  EXPECT_EQ(shown[2], tray.Icons()[0]);
  EXPECT_EQ(shown[3], tray.Icons()[1]);

  tray.SetActive(false);
  shell.calls.clear();
  PumpUntil([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_TRUE(shell.calls.empty()) << "out of the tray the worker rests";
  tray.SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return shell.calls.size() >= 5; }));

  tray.Icons().Clear();
  EXPECT_FALSE(tray.Animated()) << "no frames left: the animation stops";
  EXPECT_EQ(tray.ShownIcon(), tray.Icon().Handle());
}

}  // namespace
}  // namespace ormind
