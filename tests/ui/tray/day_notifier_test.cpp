// The day's notification and tooltip as the date moves: against a recording shell, a fake
// clock and files in memory, with the date changes the system sends to the watch window.
#include "ui/tray/day_notifier.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

// How the system may tell the watch window that the date could have moved.
enum class Look { Start, TimeChange, Suspend, Resume, MidnightTimer };

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
  void TearDown() override {
    notifier.reset();
    tray.reset();
    DestroyIcon(icon);
  }
  // A tray icon in place and a notifier started on it, with the settings as they are now.
  void StartNotifier() {
    notifier.reset();
    tray.emplace(shell);
    tray->SetIcon(icon);
    tray->Loaded();
    shell.calls.clear();
    notifier.emplace(*tray, settings, clock, files, GetModuleHandleW(nullptr));
    notifier->Start();
  }
  void Send(Look look) {
    if (look == Look::Start) return StartNotifier();
    HWND watch = DateWatchWindow();
    ASSERT_NE(watch, nullptr);
    switch (look) {
      case Look::Start: break;
      case Look::TimeChange: SendMessageW(watch, WM_TIMECHANGE, 0, 0); break;
      case Look::Suspend:
        EXPECT_EQ(SendMessageW(watch, WM_POWERBROADCAST, PBT_APMSUSPEND, 0), TRUE);
        break;
      case Look::Resume:
        EXPECT_EQ(SendMessageW(watch, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), TRUE);
        break;
      case Look::MidnightTimer: SendMessageW(watch, WM_TIMER, 1, 0); break;
    }
  }
  // What reached the shell since the last call: the notifications' titles and texts. Every
  // notification carries the program's own large icon (MAINICON).
  std::vector<std::wstring> NewBalloons() {
    std::vector<std::wstring> texts;
    for (const auto& b : shell.Balloons()) {
      texts.push_back(std::wstring(b.szInfoTitle) + L"|" + b.szInfo);
      ICONINFO info{};
      EXPECT_TRUE(GetIconInfo(b.hBalloonIcon, &info)) << "the large icon";
      BITMAP bitmap{};
      GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON));
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
    }
    shell.calls.clear();
    return texts;
  }
  HICON icon = nullptr;
  Settings settings;
  FakeClock clock{D(2026, 12, 9)};
  FakeFileSystem files;
  RecordingShell shell;
  std::optional<TTrayIcon> tray;
  std::optional<TDayNotifier> notifier;  // after the tray: gone before it
};

TEST_F(DayNotifierTest, EachDayWithEntriesIsToldOnceAsTheDateMoves) {
  const std::wstring twoBirthdays = L"Ormind — 2 birthdays today";
  const struct {
    const char* what;
    Day today;
    Look look;
    bool unreadable;
    std::vector<std::wstring> balloons;
    std::wstring tooltip;
  } steps[] = {
      {"at start", D(2026, 12, 9), Look::Start, false,
       {L"Today, 09.12.2026|Is the birthday:\nAnna (30!)\nBoris (26)"}, twoBirthdays},
      {"the clock set within the same day", D(2026, 12, 9), Look::TimeChange, false, {},
       twoBirthdays},
      {"going to sleep is no date change", D(2026, 12, 10), Look::Suspend, false, {},
       twoBirthdays},
      {"waking on the next day", D(2026, 12, 10), Look::Resume, false,
       {L"Today, 10.12.2026|Other events:\nWedding (10!)"}, L""},
      {"the clock set back: the 9th was told already", D(2026, 12, 9), Look::TimeChange, false,
       {}, twoBirthdays},
      {"the midnight timer on a day without entries", D(2026, 12, 11), Look::MidnightTimer,
       false, {}, L""},
      {"an unreadable list tells nothing (the day view says why)", D(2026, 12, 13),
       Look::TimeChange, true, {}, L""},
      {"... and is tried again at the next look", D(2026, 12, 13), Look::TimeChange, false,
       {L"Today, 13.12.2026|Name-day:\nPyotr"}, L""},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    clock.today = step.today;
    files.unreadable.clear();
    if (step.unreadable) files.unreadable.insert(settings.EventsPath);
    Send(step.look);
    if (step.look == Look::Start) {
      HWND watch = DateWatchWindow();
      ASSERT_NE(watch, nullptr);
      ASSERT_EQ(GetParent(watch), nullptr) << "broadcasts reach only top-level windows";
      ASSERT_EQ(GetWindow(watch, GW_OWNER), nullptr) << "... that no window owns";
    }
    EXPECT_EQ(NewBalloons(), step.balloons);
    EXPECT_EQ(Tip(tray->NotifyRecord()), step.tooltip);
  }
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
    SCOPED_TRACE(c.what);
    settings.Lang = c.lang;
    settings.Notify = c.notify;
    StartNotifier();
    EXPECT_EQ(NewBalloons(), c.balloons);
    EXPECT_EQ(Tip(tray->NotifyRecord()), c.tooltip);
  }
}

}  // namespace
}  // namespace ormind
