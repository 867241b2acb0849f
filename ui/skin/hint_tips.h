#pragma once
// The hints of a window's windowless controls: one tooltip control, one tool per control,
// identified by the control's index, over the control's current rectangle. The tooltip
// control is made when the mouse first moves over the window, not with it: one window less to
// make before the window's first paint. Hints set before then are kept and handed over.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "base/geometry.h"

namespace ormind {

class HintTips {
 public:
  HintTips() = default;
  HintTips(const HintTips&) = delete;
  HintTips& operator=(const HintTips&) = delete;
  ~HintTips();

  // Names the window the hints are over; its tooltip comes with MouseMoved.
  void Create(HWND owner);
  // The owner's WM_MOUSEMOVE: makes the tooltip control when there is none yet, with every
  // hint set so far, and passes it this first move (the ones after reach it by subclassing).
  void MouseMoved(WPARAM wParam, LPARAM lParam);
  // Destroys the tooltip; the owner calls it while its window is being destroyed, since the
  // system destroys owned windows with their owner.
  void Destroy();
  // Adds the tool when it is new; an empty text removes it.
  void Set(UINT_PTR id, const Bounds& bounds, const std::string& utf8Text);
  void Move(UINT_PTR id, const Bounds& bounds);

 private:
  struct Hint {
    Bounds bounds;
    std::string text;
  };
  TOOLINFOW Tool(UINT_PTR id) const;
  void Add(UINT_PTR id, const Hint& hint);

  HWND owner_ = nullptr;
  HWND tips_ = nullptr;
  std::map<UINT_PTR, Hint> waiting_;  // set before the tooltip was made
};

}  // namespace ormind
