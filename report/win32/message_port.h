#pragma once
// The page printer's notices as window messages on the user-interface thread: posted and sent
// to window handles, pending messages let through the program's message loop, messages for
// the user in a message box.
#include "report/win32/windows_api.h"

#include "report/printer/printer_device.h"

namespace ormind {

// The window handle a notice target stands for, and back.
inline TRptWindowRef WindowRef(HWND window) { return reinterpret_cast<TRptWindowRef>(window); }
inline HWND WindowOf(TRptWindowRef target) { return reinterpret_cast<HWND>(target); }

class TRptWin32MessagePort final : public TRptMessagePort {
 public:
  // Message boxes are owned by this thread's active window, so that they come up over the
  // window the user is working in; `fallbackOwner` owns them when none is active (null: none).
  explicit TRptWin32MessagePort(HWND fallbackOwner = nullptr) : fOwner(fallbackOwner) {}

  void ProcessMessages() override;
  void Post(TRptWindowRef target, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void Send(TRptWindowRef target, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void ShowMessage(const std::string& text) override;

 private:
  HWND fOwner;
};

}  // namespace ormind
