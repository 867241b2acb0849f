#pragma once
// A plain top-level test window built on the window base, recording the commands it receives.
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/window.h"

namespace ormind::testing {

class TestWindow : public TWindow {
 public:
  explicit TestWindow(bool visible = false, bool dialogKeys = false) {
    SetWantsDialogKeys(dialogKeys);
    CreateHandle({.name = L"OrmindTestWindow", .cursor = LoadCursorW(nullptr, IDC_ARROW)},
                 {.style = DWORD(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0)),
                  .caption = L"test", .left = 10, .top = 10, .width = 400, .height = 300});
  }
  ~TestWindow() override { DestroyHandle(); }

  std::vector<WORD> commands;  // WM_COMMAND ids that reached the window itself
  std::function<void(UINT)> onMessage;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (onMessage) onMessage(message);
    if (message == WM_COMMAND && lParam == 0) {
      commands.push_back(LOWORD(wParam));
      return 0;
    }
    return TWindow::HandleMessage(message, wParam, lParam);
  }
};

}  // namespace ormind::testing
