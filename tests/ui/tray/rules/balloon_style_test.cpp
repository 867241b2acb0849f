#include "ui/tray/rules/balloon_style.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(BalloonStyle, FollowsTheShellsVersion) {
  using V = NotifyRecordVersion;
  const struct {
    ShellVersion shell;
    bool haveLargeIcon;
    bool shown;
    V record;
    std::uint32_t flags;
    bool usesLargeIcon;
  } cases[] = {
      {{4, 72, 3110}, true, false, V::First, 0, false},  // Windows 98: no notifications
      {{5, 0, 3900}, true, true, V::Second, kBalloonInfoIcon, false},
      {{6, 0, 2600}, true, true, V::Third, kBalloonInfoIcon | kBalloonNoSound, false},
      {{6, 0, 2900}, true, true, V::Third, kBalloonUserIcon | kBalloonNoSound, false},
      {{6, 0, 3790}, true, true, V::Third, kBalloonUserIcon | kBalloonNoSound, false},
      {{6, 0, 6000}, true, true, V::Current,
       kBalloonUserIcon | kBalloonLargeIcon | kBalloonNoSound, true},
      {{6, 1, 7601}, true, true, V::Current,
       kBalloonUserIcon | kBalloonLargeIcon | kBalloonNoSound, true},
      {{10, 0, 19041}, true, true, V::Current,
       kBalloonUserIcon | kBalloonLargeIcon | kBalloonNoSound, true},
      // Without a large icon Vista on would show none: the information sign instead.
      {{6, 1, 7601}, false, true, V::Current, kBalloonInfoIcon | kBalloonNoSound, false},
      {{6, 0, 2900}, false, true, V::Third, kBalloonUserIcon | kBalloonNoSound, false},
  };
  for (const auto& c : cases) {
    const BalloonStyle style = ChooseBalloonStyle(c.shell, c.haveLargeIcon);
    const std::string where = std::to_string(c.shell.major) + "." + std::to_string(c.shell.minor) +
                              "." + std::to_string(c.shell.build);
    EXPECT_EQ(style.shown, c.shown) << where;
    EXPECT_EQ(style.record, c.record) << where;
    EXPECT_EQ(style.flags, c.flags) << where;
    EXPECT_EQ(style.usesLargeIcon, c.usesLargeIcon) << where;
  }
}

}  // namespace
}  // namespace ormind
