// Where message boxes go: owned by a visible window, or on their own and in front when the
// window that would own them is hidden.
#include <gtest/gtest.h>

#include "platform/message_box_sink.h"
#include "test_window.h"

namespace ormind {
namespace {

TEST(MessageBoxPlacement, ABoxOverAHiddenWindowStandsOnItsOwnInFront) {
  testing::TestWindow hidden(false), shown(true);
  constexpr UINT kInFront = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
  const struct {
    const char* what;
    HWND wanted, owner;
    UINT style;
  } cases[] = {
      {"visible owner keeps the box", shown.Handle(), shown.Handle(), 0},
      {"hidden owner: no owner, in front", hidden.Handle(), nullptr, kInFront},
      {"no owner at all: in front", nullptr, nullptr, kInFront},
  };
  for (const auto& c : cases) {
    const MessageBoxPlacement placement = PlaceMessageBox(c.wanted);
    EXPECT_EQ(placement.owner, c.owner) << c.what;
    EXPECT_EQ(placement.extraStyle, c.style) << c.what;
  }
}

}  // namespace
}  // namespace ormind
