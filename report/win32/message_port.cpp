#include "report/win32/message_port.h"

#include "platform/message_box_sink.h"
#include "platform/message_loop.h"

namespace ormind {

void TRptWin32MessagePort::ProcessMessages() { ProcessPendingMessages(); }

void TRptWin32MessagePort::Post(TRptWindowRef target, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
  PostMessageW(WindowOf(target), message, wParam, lParam);
}

void TRptWin32MessagePort::Send(TRptWindowRef target, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
  SendMessageW(WindowOf(target), message, wParam, lParam);
}

void TRptWin32MessagePort::ShowMessage(const std::string& text) {
  const HWND active = GetActiveWindow();
  ShowMessageBox(active ? active : fOwner, text);
}

}  // namespace ormind
