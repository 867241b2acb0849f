#include "ui/tray/rules/balloon_style.h"

namespace ormind {
namespace {

bool AtLeast(ShellVersion v, int major, int minor, int build) {
  if (v.major != major) return v.major > major;
  if (v.minor != minor) return v.minor > minor;
  return v.build >= build;
}

}  // namespace

BalloonStyle ChooseBalloonStyle(ShellVersion shell, bool haveLargeIcon) {
  BalloonStyle style;
  if (!AtLeast(shell, 5, 0, 0)) return style;
  style.shown = true;
  if (!AtLeast(shell, 6, 0, 0)) {
    style.record = NotifyRecordVersion::Second;
    style.flags = kBalloonInfoIcon;
    return style;
  }
  if (!AtLeast(shell, 6, 0, 6000)) {
    style.record = NotifyRecordVersion::Third;
    style.flags = kBalloonNoSound | (AtLeast(shell, 6, 0, 2900) ? kBalloonUserIcon : kBalloonInfoIcon);
    return style;
  }
  style.record = NotifyRecordVersion::Current;
  // From Vista the own icon is the record's large icon; without one, the information sign.
  style.usesLargeIcon = haveLargeIcon;
  style.flags = kBalloonNoSound |
                (haveLargeIcon ? kBalloonUserIcon | kBalloonLargeIcon : kBalloonInfoIcon);
  return style;
}

}  // namespace ormind
