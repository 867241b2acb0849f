#include "platform/message_loop.h"

#include "platform/window.h"

namespace ormind {
namespace {

bool TakenByDialogManager(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  const HWND active = GetActiveWindow();
  const TWindow* window = TWindow::FromHandle(active);
  return window && window->WantsDialogKeys() && IsDialogMessageW(active, &message);
}

void Dispatch(MSG& message) {
  if (TakenByDialogManager(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

bool HandleOneMessage() {
  MSG message;
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got <= 0) {
    if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
    return false;
  }
  Dispatch(message);
  return true;
}

void ProcessPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

bool RunModal(HWND window, HWND owner) {
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  bool quit = false;
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (!HandleOneMessage()) {
      quit = true;
      break;
    }
  }
  // Enabled before the modal window is gone for good, so that activation returns to the
  // owner rather than to some other program's window.
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  return !quit;
}

}  // namespace ormind
