#include "ui/tray/rules/tray_mouse.h"

#include <gtest/gtest.h>

#include <vector>

namespace ormind {
namespace {

using K = TrayEventKind;
using B = MouseButton;
using Events = std::vector<TrayMouseEvent>;

struct Step {
  std::uint32_t message;
  ShiftState keys;
  Events expected;
};

void ExpectSequence(const char* name, const std::vector<Step>& steps) {
  TrayMouseTracker tracker;
  for (std::size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(tracker.Translate(steps[i].message, steps[i].keys), steps[i].expected)
        << name << ", step " << i;
}

TEST(TrayMouseTracker, PressesAndReleases) {
  ExpectSequence("left click", {{kLButtonDown, 0, {{K::MouseDown, B::Left, ssLeft}}},
                     {kLButtonUp, 0, {{K::Click, B::Left, ssLeft}, {K::MouseUp, B::Left, ssLeft}}}});
  ExpectSequence("right click with shift",
      {{kRButtonDown, ssShift, {{K::MouseDown, B::Right, ShiftState(ssShift | ssRight)}}},
       {kRButtonUp, ssShift,
        {{K::Click, B::Right, ShiftState(ssShift | ssRight)},
         {K::MouseUp, B::Right, ShiftState(ssShift | ssRight)}}}});
  // A press elsewhere released over the icon: only the release is reported, so no click.
  ExpectSequence("right release without press", {{kRButtonUp, 0, {{K::MouseUp, B::Right, ssRight}}}});
  ExpectSequence("left release without press", {{kLButtonUp, ssCtrl, {{K::MouseUp, B::Left, ShiftState(ssCtrl | ssLeft)}}}});
  // A press of one button does not make a click of the other.
  ExpectSequence("buttons kept apart", {{kLButtonDown, 0, {{K::MouseDown, B::Left, ssLeft}}},
                             {kRButtonUp, 0, {{K::MouseUp, B::Right, ssRight}}},
                             {kLButtonUp, 0, {{K::Click, B::Left, ssLeft}, {K::MouseUp, B::Left, ssLeft}}}});
  // Keys other than Shift, Alt and Ctrl in the input are ignored.
  ExpectSequence("foreign bits dropped", {{kMouseMove, ShiftState(ssAlt | ssDouble | ssLeft), {{K::MouseMove, B::Left, ssAlt}}}});
}

TEST(TrayMouseTracker, DoubleClickSequenceGivesOneClick) {
  // Press, release, double click, release: the second release has no press of its own.
  ExpectSequence("left double click",
      {{kLButtonDown, 0, {{K::MouseDown, B::Left, ssLeft}}},
       {kLButtonUp, 0, {{K::Click, B::Left, ssLeft}, {K::MouseUp, B::Left, ssLeft}}},
       {kLButtonDblClk, 0, {{K::DoubleClick, B::Left, 0}, {K::MouseDown, B::Left, ssDouble}}},
       {kLButtonUp, 0, {{K::MouseUp, B::Left, ssLeft}}}});
  // A right double click never clicks or runs the default item.
  ExpectSequence("right double click",
      {{kRButtonDblClk, 0, {{K::MouseDown, B::Right, ssDouble}}},
       {kRButtonUp, 0, {{K::MouseUp, B::Right, ssRight}}}});
  // The middle button never clicks.
  ExpectSequence("middle", {{kMButtonDown, 0, {{K::MouseDown, B::Middle, ssMiddle}}},
                 {kMButtonUp, 0, {{K::MouseUp, B::Middle, ssMiddle}}},
                 {kMButtonDblClk, 0, {{K::MouseDown, B::Middle, ssDouble}}}});
  ExpectSequence("unknown messages", {{0x0100, 0, {}}, {0x020A, 0, {}}, {0x0400, 0, {}}});
}

TEST(TrayMouseTracker, ResetForgetsPresses) {
  TrayMouseTracker tracker;
  tracker.Translate(kLButtonDown, 0);
  tracker.Translate(kRButtonDown, 0);
  EXPECT_TRUE(tracker.IsPressed(B::Left));
  EXPECT_TRUE(tracker.IsPressed(B::Right));
  tracker.Reset();
  EXPECT_FALSE(tracker.IsPressed(B::Left));
  EXPECT_EQ(tracker.Translate(kRButtonUp, 0), (Events{{K::MouseUp, B::Right, ssRight}}));
}

}  // namespace
}  // namespace ormind
