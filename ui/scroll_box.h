#pragma once
// TScrollBox: a borderless child area that shows its parent's face through, holds labels and
// grows a vertical scroll bar when they reach below it. Mouse presses and moves on its empty
// part go to the parent's handlers (drag the window, put the buttons at rest).
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/geometry.h"
#include "ui/scroll_range.h"
#include "ui/text_label.h"

namespace ormind {

class TSkinnedForm;
enum class MouseButton;

class TScrollBox {
 public:
  TScrollBox() = default;
  TScrollBox(const TScrollBox&) = delete;
  TScrollBox& operator=(const TScrollBox&) = delete;

  void Create(TSkinnedForm& parent, const Bounds& bounds);
  HWND Handle() const { return handle_; }
  void AddLabel(TLabel& label) { labels_.push_back(&label); }
  // Call after a label's text changed: updates the scroll bar and repaints.
  void Realign();
  void ScrollTo(int position);
  const VerticalScroll& Scroll() const { return scroll_; }

  std::function<void(MouseButton)> onMouseDown;
  std::function<void()> onMouseMove;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void OnVerticalScroll(WORD request);
  bool OnLabel(LPARAM position) const;

  TSkinnedForm* parent_ = nullptr;
  HWND handle_ = nullptr;
  Bounds bounds_;
  std::vector<TLabel*> labels_;
  VerticalScroll scroll_;
};

}  // namespace ormind
