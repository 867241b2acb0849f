#pragma once
// The geometry of a skinned window's row of round picture buttons: where each rests, how it
// grows under the mouse, and how a press lifts it and a release drops it back. The main
// window's enlarged button stays centred on its resting place; the greeting editor's keeps
// its resting left edge and grows to the right.
#include <optional>
#include <string_view>

#include "base/geometry.h"
#include "ui/skin/rules/display_scale.h"

namespace ormind {

struct ButtonRow {
  int firstLeft = 0;
  int pitch = 40;
  int top = 0;
  int size = 32;
  int count = 0;
  bool hoverCentred = true;
  int grow = 4;           // a hovered button is this much wider and taller
  int hoverShift = 2;     // and moves up (and left, when centred) by this much
  int lift = 2;           // a press lifts it by this much, a release drops it back
  int releasedSize = 33;  // the size a button has after a release, until the mouse moves

  Bounds Resting(int number) const;  // number 1 ... count
  Bounds Hovered(int number) const;
  Bounds Lifted(Bounds current) const;
  Bounds Dropped(Bounds current) const;
  // The row at 96 DPI.
  static Bounds Pressed(Bounds current) { return ButtonRow{}.Lifted(current); }
  static Bounds Released(Bounds current) { return ButtonRow{}.Dropped(current); }

  // The same row with every length multiplied by the scale.
  ButtonRow ScaledBy(const DisplayScale& scale) const;
};

// The main window's seven buttons and the greeting editor's two.
inline constexpr ButtonRow kMainButtonRow{24, 40, 252, 32, 7, true};
inline constexpr ButtonRow kEditorButtonRow{344, 40, 36, 32, 2, false};

// The button number in a control name "btn<digit>", read from its last character.
std::optional<int> ButtonNumber(std::string_view controlName);

}  // namespace ormind
