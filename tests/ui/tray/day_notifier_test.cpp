// The day's notification and tooltip as the date moves: against a recording shell, a fake
// clock and files in memory, with the date changes the system sends to the watch window.
#include "ui/tray/day_notifier.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/fakes.h"
#include "tests/ui/tray/tray_test_support.h"

namespace ormind {
namespace {

using testing::FakeClock;
using testing::FakeFileSystem;
using testing::RecordingShell;
using testing::SolidIcon;
using testing::Tip;

Day D(int y, int m, int d) { return DayFromDate({y, m, d}); }

// Enumeration callbacks are plain functions: the 32-bit calling convention rules out lambdas.
BOOL CALLBACK NoteDateWatch(HWND window, LPARAM result) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) != kDateWatchWindowClass) return TRUE;
  *reinterpret_cast<HWND*>(result) = window;
  return FALSE;
}

// This thread's date watch window.
HWND DateWatchWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), NoteDateWatch, reinterpret_cast<LPARAM>(&found));
  return found;
}

class DayNotifierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    icon = SolidIcon(RGB(200, 0, 0));
    settings.EventsPath = "/data/Ormind/events.txt";
    settings.Lang = 1033;
    files.files[settings.EventsPath] =
        "[Birthday]\nAnna=09.12.1996\nBoris=09.12.2000\n[Events]\nWedding=10.12.2016\n"
        "[Nameday]\nPyotr=13.12\n";
  }
  void TearDown() override { DestroyIcon(icon); }
  void Place(TTrayIcon& tray) {
    tray.SetIcon(icon);
    tray.Loaded();
  }
  // What reached the shell since the last call: the notifications' titles and texts.
  std::vector<std::wstring> NewBalloons() {
    std::vector<std::wstring> texts;
    for (const auto& b : shell.Balloons()) texts.push_back(std::wstring(b.szInfoTitle) + L"|" + b.szInfo);
    shell.calls.clear();
    return texts;
  }
  HICON icon = nullptr;
  Settings settings;
  FakeClock clock{D(2026, 12, 9)};
  FakeFileSystem files;
  RecordingShell shell;
};

TEST_F(DayNotifierTest, EachDayWithEntriesIsToldOnceAsTheDateMoves) {
  TTrayIcon tray(shell);
  Place(tray);
  shell.calls.clear();
  TDayNotifier notifier(tray, settings, clock, files, GetModuleHandleW(nullptr));
  notifier.Start();
  HWND watch = DateWatchWindow();
  ASSERT_NE(watch, nullptr);
  ASSERT_EQ(GetParent(watch), nullptr) << "broadcasts reach only top-level windows";
  ASSERT_EQ(GetWindow(watch, GW_OWNER), nullptr) << "... that no window owns";

  const auto timeChange = [&] { SendMessageW(watch, WM_TIMECHANGE, 0, 0); };
  const auto wake = [&](WPARAM event) {
    EXPECT_EQ(SendMessageW(watch, WM_POWERBROADCAST, event, 0), TRUE);
  };
  const auto tooltip = [&] { return Tip(tray.NotifyRecord()); };
  const std::wstring day9 = L"Today, 09.12.2026|Is the birthday:\nAnna (30!)\nBoris (26)";

  EXPECT_EQ(NewBalloons(), std::vector<std::wstring>{day9}) << "at start";
  EXPECT_EQ(tooltip(), L"Ormind — 2 birthdays today");
  timeChange();
  EXPECT_TRUE(NewBalloons().empty()) << "the clock set within the same day";

  clock.today = D(2026, 12, 10);
  wake(PBT_APMSUSPEND);
  EXPECT_TRUE(NewBalloons().empty()) << "going to sleep is no date change";
  wake(PBT_APMRESUMEAUTOMATIC);
  EXPECT_EQ(NewBalloons(),
            std::vector<std::wstring>{L"Today, 10.12.2026|Other events:\nWedding (10!)"});
  EXPECT_EQ(tooltip(), L"") << "no birthdays on the 10th";

  clock.today = D(2026, 12, 9);
  timeChange();
  EXPECT_TRUE(NewBalloons().empty()) << "the clock set back: the 9th was told already";
  EXPECT_EQ(tooltip(), L"Ormind — 2 birthdays today");

  clock.today = D(2026, 12, 11);
  SendMessageW(watch, WM_TIMER, 1, 0);  // the midnight timer
  EXPECT_TRUE(NewBalloons().empty()) << "nothing on a day without entries";
  EXPECT_EQ(tooltip(), L"");

  clock.today = D(2026, 12, 13);
  files.unreadable.insert(settings.EventsPath);
  timeChange();
  EXPECT_TRUE(NewBalloons().empty()) << "an unreadable list tells nothing (the day view says why)";
  files.unreadable.clear();
  timeChange();
  EXPECT_EQ(NewBalloons(), std::vector<std::wstring>{L"Today, 13.12.2026|Name-day:\nPyotr"})
      << "... and tried again at the next look";
}

TEST_F(DayNotifierTest, FollowsTheSettings) {
  const struct {
    const char* what;
    int32_t lang;
    bool notify;
    std::vector<std::wstring> balloons;
    std::wstring tooltip;
  } cases[] = {
      {"Russian", 1049, true,
       {L"Сегодня, 09.12.2026|День рождения празднуют:\nAnna (30!)\nBoris (26)"},
       L"Ormind — сегодня 2 дня рождения"},
      {"Notify=0: the tooltip only", 1033, false, {}, L"Ormind — 2 birthdays today"},
  };
  for (const auto& c : cases) {
    settings.Lang = c.lang;
    settings.Notify = c.notify;
    TTrayIcon tray(shell);
    Place(tray);
    shell.calls.clear();
    TDayNotifier notifier(tray, settings, clock, files, GetModuleHandleW(nullptr));
    notifier.Start();
    EXPECT_EQ(NewBalloons(), c.balloons) << c.what;
    EXPECT_EQ(Tip(tray.NotifyRecord()), c.tooltip) << c.what;
  }
}

TEST_F(DayNotifierTest, TheNotificationCarriesTheProgramsLargeIcon) {
  TTrayIcon tray(shell);
  Place(tray);
  TDayNotifier notifier(tray, settings, clock, files, GetModuleHandleW(nullptr));
  notifier.Start();
  const auto balloons = shell.Balloons();
  ASSERT_EQ(balloons.size(), 1u);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(balloons[0].hBalloonIcon, &info)) << "the MAINICON resource";
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

}  // namespace
}  // namespace ormind
