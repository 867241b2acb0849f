#include "report/win32/preview/window_messages.h"

#include "platform/message_box_sink.h"
#include "platform/message_loop.h"

namespace ormind {

void TRptWindowMessagePort::ProcessMessages() { ProcessPendingMessages(); }

void TRptWindowMessagePort::Post(TRptWindowRef target, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
  PostMessageW(reinterpret_cast<HWND>(target), message, wParam, lParam);
}

void TRptWindowMessagePort::Send(TRptWindowRef target, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
  SendMessageW(reinterpret_cast<HWND>(target), message, wParam, lParam);
}

void TRptWindowMessagePort::ShowMessage(const std::string& text) {
  ShowMessageBox(GetActiveWindow() ? GetActiveWindow() : fOwner, text);
}

}  // namespace ormind
