#pragma once
// The geometry of a skinned window's row of round picture buttons: where each rests, how it
// grows under the mouse, and how a press lifts it and a release drops it back. The main
// window's enlarged button stays centred on its resting place; the greeting editor's keeps
// its resting left edge and grows to the right.
#include <optional>
#include <string_view>

#include "base/geometry.h"

namespace ormind {

struct ButtonRow {
  int firstLeft = 0;
  int pitch = 40;
  int top = 0;
  int size = 32;
  int count = 0;
  bool hoverCentred = true;

  Bounds Resting(int number) const;  // number 1 ... count
  Bounds Hovered(int number) const;
  static Bounds Pressed(Bounds current);
  static Bounds Released(Bounds current);
};

// The main window's seven buttons and the greeting editor's two.
inline constexpr ButtonRow kMainButtonRow{24, 40, 252, 32, 7, true};
inline constexpr ButtonRow kEditorButtonRow{344, 40, 36, 32, 2, false};

// The button number in a control name "btn<digit>", read from its last character.
std::optional<int> ButtonNumber(std::string_view controlName);

}  // namespace ormind
