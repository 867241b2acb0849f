#pragma once
// What a mouse message reported by the shell for the tray icon means: the table of mouse
// messages and the bookkeeping of buttons pressed on the icon, which turns a release into a
// click only when the press happened on the icon too.
#include <cstdint>
#include <vector>

#include "base/mouse_button.h"

namespace ormind {

// Shift state: keys held and buttons involved, as a set of flags.
enum ShiftFlag : std::uint8_t {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64,
};
using ShiftState = std::uint8_t;

// Mouse message numbers the shell passes in lParam of the tray callback message.
enum TrayMouseMessage : std::uint32_t {
  kMouseMove = 0x200, kLButtonDown, kLButtonUp, kLButtonDblClk, kRButtonDown, kRButtonUp,
  kRButtonDblClk, kMButtonDown, kMButtonUp, kMButtonDblClk,
};

enum class TrayEventKind { MouseMove, MouseDown, MouseUp, Click, DoubleClick };

struct TrayMouseEvent {
  TrayEventKind kind;
  MouseButton button;  // Left for MouseMove and DoubleClick
  ShiftState shift;
  bool operator==(const TrayMouseEvent&) const = default;
};

class TrayMouseTracker {
 public:
  // The events one mouse message raises, in order. `keys` holds only Shift, Alt and Ctrl.
  std::vector<TrayMouseEvent> Translate(std::uint32_t mouseMessage, ShiftState keys);

  // Forgets every press (the icon was added or removed).
  void Reset() { leftPressed_ = rightPressed_ = false; }

  bool IsPressed(MouseButton button) const;

 private:
  // A release: a click if the press was seen, then the mouse-up.
  std::vector<TrayMouseEvent> Release(MouseButton button, ShiftState shift, bool& pressed);

  bool leftPressed_ = false;
  bool rightPressed_ = false;
};

}  // namespace ormind
