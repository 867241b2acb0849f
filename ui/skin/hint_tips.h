#pragma once
// The hints of a window's windowless controls: one tooltip control, one tool per control,
// identified by the control's index, over the control's current rectangle.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/geometry.h"

namespace ormind {

class HintTips {
 public:
  HintTips() = default;
  HintTips(const HintTips&) = delete;
  HintTips& operator=(const HintTips&) = delete;
  ~HintTips();

  void Create(HWND owner);
  // Destroys the tooltip; the owner calls it while its window is being destroyed, since the
  // system destroys owned windows with their owner.
  void Destroy();
  // Adds the tool when it is new; an empty text removes it.
  void Set(UINT_PTR id, const Bounds& bounds, const std::string& utf8Text);
  void Move(UINT_PTR id, const Bounds& bounds);

 private:
  TOOLINFOW Tool(UINT_PTR id) const;

  HWND owner_ = nullptr;
  HWND tips_ = nullptr;
};

}  // namespace ormind
