// The tray icon's notification against a recording shell: the record each shell version is
// given, a notification asked for before the icon is there, and the click on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/tray/tray_test_support.h"
#include "ui/tray/tray_icon.h"

namespace ormind {
namespace {

using testing::RecordingShell;
using testing::SolidIcon;

class TrayBalloonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    icon = SolidIcon(RGB(200, 0, 0));
    large = SolidIcon(RGB(0, 0, 200));
  }
  void TearDown() override {
    DestroyIcon(icon);
    DestroyIcon(large);
  }
  void Place(TTrayIcon& tray) {
    tray.SetIcon(icon);
    tray.Loaded();
  }
  HICON icon = nullptr, large = nullptr;
  RecordingShell shell;
};

TEST_F(TrayBalloonTest, TheRecordFollowsTheShellsVersionAndAnOlderShellIsNotAsked) {
  const struct {
    const char* what;
    ShellVersion version;
    bool withLargeIcon;
    DWORD size;  // 0: the shell is not asked
    DWORD flags;
    bool carriesLargeIcon;
  } cases[] = {
      {"Windows 7", {6, 1, 7601}, true, sizeof(NOTIFYICONDATAW),
       NIIF_USER | NIIF_LARGE_ICON | NIIF_NOSOUND, true},
      {"Windows 7 without a large icon", {6, 1, 7601}, false, sizeof(NOTIFYICONDATAW),
       NIIF_INFO | NIIF_NOSOUND, false},
      {"XP, second service pack", {6, 0, 2900}, true, NOTIFYICONDATAW_V3_SIZE,
       NIIF_USER | NIIF_NOSOUND, false},
      {"Windows 2000", {5, 0, 3900}, true, NOTIFYICONDATAW_V2_SIZE, NIIF_INFO, false},
      {"Windows 98: no notifications", {4, 72, 3110}, true, 0, 0, false},
  };
  const std::string title = "Сегодня, 09.12.2026", text = "День рождения празднуют:\nАнна (30!)";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shell.version = c.version;
    shell.calls.clear();
    TTrayIcon tray(shell);
    Place(tray);
    tray.ShowBalloon(title, text, c.withLargeIcon ? large : nullptr);
    // The icon's own records stay the first version, with the tooltip as it was.
    for (const auto& call : shell.calls) {
      if (!(call.record.uFlags & NIF_INFO)) {
        EXPECT_EQ(call.record.cbSize, NOTIFYICONDATAW_V1_SIZE);
      }
    }
    const auto balloons = shell.Balloons();
    ASSERT_EQ(balloons.size(), c.size ? 1u : 0u);
    if (balloons.empty()) continue;
    const NOTIFYICONDATAW& record = balloons[0];
    EXPECT_EQ(record.cbSize, c.size);
    EXPECT_EQ(record.hWnd, tray.Handle());
    EXPECT_EQ(record.uFlags, UINT(NIF_INFO | NIF_ICON)) << "the tooltip is left alone";
    EXPECT_EQ(record.hIcon, tray.Icon().Handle());
    EXPECT_EQ(record.dwInfoFlags, c.flags);
    EXPECT_EQ(std::wstring(record.szInfoTitle), L"Сегодня, 09.12.2026");
    EXPECT_EQ(std::wstring(record.szInfo), L"День рождения празднуют:\nАнна (30!)");
    if (c.carriesLargeIcon) {
      EXPECT_NE(record.hBalloonIcon, nullptr);
      EXPECT_NE(record.hBalloonIcon, large) << "the tray icon holds its own copy";
    } else if (c.size == sizeof(NOTIFYICONDATAW)) {
      EXPECT_EQ(record.hBalloonIcon, nullptr);
    }
  }
}

TEST_F(TrayBalloonTest, ANotificationWaitsForTheIcon) {
  TTrayIcon tray(shell);
  tray.SetIcon(icon);
  tray.ShowBalloon("Today, 09.12.2026", "Is the birthday:\nAnn", large);
  EXPECT_TRUE(shell.calls.empty()) << "no icon in the notification area yet";
  shell.accept = false;
  tray.Loaded();
  EXPECT_TRUE(shell.Balloons().empty()) << "the add was refused";
  shell.accept = true;
  SendMessageW(tray.Handle(), WM_TIMER, 1, 0);  // the retry
  ASSERT_TRUE(tray.Added());
  ASSERT_EQ(shell.Balloons().size(), 1u) << "shown once the icon arrived";
  EXPECT_EQ(shell.calls.back().message, DWORD(NIM_MODIFY));
  SendMessageW(tray.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(shell.Balloons().size(), 1u) << "a shell restart does not show it again";
}

TEST_F(TrayBalloonTest, AClickOnTheNotificationIsNoClickOnTheIcon) {
  TTrayIcon tray(shell);
  Place(tray);
  std::vector<std::string> events;
  tray.OnBalloonClick = [&](TTrayIcon&) { events.push_back("balloon"); };
  tray.OnClick = [&](TTrayIcon&, MouseButton, ShiftState, int, int) { events.push_back("click"); };
  tray.OnMouseUp = [&](TTrayIcon&, MouseButton, ShiftState, int, int) { events.push_back("up"); };
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, NIN_BALLOONUSERCLICK);
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, NIN_BALLOONTIMEOUT);
  EXPECT_EQ(events, std::vector<std::string>{"balloon"});
  tray.SetEnabled(false);
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, NIN_BALLOONUSERCLICK);
  EXPECT_EQ(events.size(), 1u) << "a disabled icon handles nothing from the shell";
}

}  // namespace
}  // namespace ormind
