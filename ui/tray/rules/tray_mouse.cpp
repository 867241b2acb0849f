#include "ui/tray/rules/tray_mouse.h"

namespace ormind {

bool TrayMouseTracker::IsPressed(MouseButton button) const {
  switch (button) {
    case MouseButton::Left: return leftPressed_;
    case MouseButton::Right: return rightPressed_;
    default: return false;
  }
}

std::vector<TrayMouseEvent> TrayMouseTracker::Release(MouseButton button, ShiftState shift,
                                                      bool& pressed) {
  std::vector<TrayMouseEvent> events;
  if (pressed) {
    pressed = false;
    events.push_back({TrayEventKind::Click, button, shift});
  }
  events.push_back({TrayEventKind::MouseUp, button, shift});
  return events;
}

std::vector<TrayMouseEvent> TrayMouseTracker::Translate(std::uint32_t mouseMessage,
                                                        ShiftState keys) {
  using K = TrayEventKind;
  using B = MouseButton;
  keys &= ssShift | ssAlt | ssCtrl;
  switch (mouseMessage) {
    case kMouseMove:
      return {{K::MouseMove, B::Left, keys}};
    case kLButtonDown:
      leftPressed_ = true;
      return {{K::MouseDown, B::Left, ShiftState(keys | ssLeft)}};
    case kLButtonUp:
      return Release(B::Left, ShiftState(keys | ssLeft), leftPressed_);
    case kLButtonDblClk:
      return {{K::DoubleClick, B::Left, keys}, {K::MouseDown, B::Left, ShiftState(keys | ssDouble)}};
    case kRButtonDown:
      rightPressed_ = true;
      return {{K::MouseDown, B::Right, ShiftState(keys | ssRight)}};
    case kRButtonUp:
      return Release(B::Right, ShiftState(keys | ssRight), rightPressed_);
    case kRButtonDblClk:
      return {{K::MouseDown, B::Right, ShiftState(keys | ssDouble)}};
    case kMButtonDown:
      return {{K::MouseDown, B::Middle, ShiftState(keys | ssMiddle)}};
    case kMButtonUp:
      return {{K::MouseUp, B::Middle, ShiftState(keys | ssMiddle)}};
    case kMButtonDblClk:
      return {{K::MouseDown, B::Middle, ShiftState(keys | ssDouble)}};
    default:
      return {};
  }
}

}  // namespace ormind
