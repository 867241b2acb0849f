// The message loop's steps: dialog keys for the active window, the modal run, one message at a
// time.
#include "platform/message_loop.h"

#include <gtest/gtest.h>

#include "platform/standard_controls.h"
#include "test_window.h"

namespace ormind {
namespace {

using testing::TestWindow;

constexpr UINT kHideYourself = WM_APP + 1;

void PostKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

TEST(MessageLoop, TabMovesBetweenEditsAndEscReachesTheWindow) {
  struct Case {
    bool dialogKeys;
    bool focusMoves;
  } cases[] = {{true, true}, {false, false}};
  for (const Case& c : cases) {
    TestWindow window(/*visible=*/true, c.dialogKeys);
    TEdit first, second;
    first.Create(window, {10, 10, 120, 22}, 101);
    second.Create(window, {10, 40, 120, 22}, 102);
    SetForegroundWindow(window.Handle());
    SetActiveWindow(window.Handle());
    first.SetFocus();
    ProcessPendingMessages();
    ASSERT_TRUE(first.Focused());

    PostKey(first.Handle(), VK_TAB);
    ProcessPendingMessages();
    EXPECT_EQ(second.Focused(), c.focusMoves) << "dialog keys " << c.dialogKeys;

    PostKey(GetFocus(), VK_ESCAPE);
    ProcessPendingMessages();
    EXPECT_EQ(window.commands == std::vector<WORD>{IDCANCEL}, c.dialogKeys);
  }
}

TEST(MessageLoop, AModalRunDisablesItsOwnerUntilTheWindowHides) {
  TestWindow owner(/*visible=*/true);
  TestWindow modal(/*visible=*/true);
  bool ownerEnabledDuringRun = true;
  modal.onMessage = [&](UINT message) {
    if (message != kHideYourself) return;
    ownerEnabledDuringRun = IsWindowEnabled(owner.Handle()) != FALSE;
    ShowWindow(modal.Handle(), SW_HIDE);
  };
  PostMessageW(modal.Handle(), kHideYourself, 0, 0);
  EXPECT_TRUE(RunModal(modal.Handle(), owner.Handle()));
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(GetActiveWindow(), owner.Handle());
}

TEST(MessageLoop, AQuitRequestEndsAModalRunAndIsKeptForTheMainLoop) {
  TestWindow owner(/*visible=*/true);
  TestWindow modal(/*visible=*/true);
  PostQuitMessage(3);
  EXPECT_FALSE(RunModal(modal.Handle(), owner.Handle()));
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST(MessageLoop, HandleOneMessageWaitsForOneAndHandlesIt) {
  TestWindow window;
  int seen = 0;
  window.onMessage = [&](UINT message) { seen += message == kHideYourself; };
  PostMessageW(window.Handle(), kHideYourself, 0, 0);
  EXPECT_TRUE(HandleOneMessage());
  EXPECT_EQ(seen, 1);
}

}  // namespace
}  // namespace ormind
