#pragma once
// TScrollBox: a borderless child area that shows its parent's face through, holds labels and
// grows scroll bars when they reach below it or past its right edge. Mouse presses and moves on its empty
// part go to the parent's handlers (drag the window, put the buttons at rest).
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/window.h"
#include "base/geometry.h"
#include "ui/skin/rules/scroll_range.h"
#include "base/wheel_steps.h"
#include "ui/skin/text_label.h"

namespace ormind {

class TSkinnedForm;
enum class MouseButton;

class TScrollBox final : public TWindow {
 public:
  TScrollBox() = default;
  ~TScrollBox() override { DestroyHandle(); }

  void Create(TSkinnedForm& parent, const Bounds& bounds);
  void AddLabel(TLabel& label) { labels_.push_back(&label); }
  // Moves or resizes the area (in its parent's client coordinates) and realigns it.
  void SetBounds(const Bounds& bounds);
  // Call after a label's text changed: updates the scroll bars and repaints.
  void Realign();
  // Scrolls one axis (SB_HORZ or SB_VERT) to `position`, kept within range.
  void ScrollTo(int bar, int position);

  std::function<void(MouseButton)> onMouseDown;
  std::function<void()> onMouseMove;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();
  void OnScroll(int bar, WORD request);
  void OnWheel(int delta);
  int LineStep() const;  // at the parent's scale
  ScrollAxis& Axis(int bar) { return bar == SB_VERT ? scroll_.vertical : scroll_.horizontal; }
  bool OnLabel(LPARAM position) const;

  TSkinnedForm* parent_ = nullptr;
  Bounds bounds_;
  std::vector<TLabel*> labels_;
  ScrollState scroll_;
  WheelAccumulator wheel_;
};

}  // namespace ormind
