#include "ui/app/single_instance.h"

#include "ui/tray/tray_icon.h"

namespace ormind {

SingleInstance::SingleInstance(const wchar_t* name) {
  mutex_.Reset(CreateMutexW(nullptr, FALSE, name));
  otherIsRunning_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

void SingleInstance::Release() { mutex_.Reset(); }

bool AskRunningCopyToShow() {
  // The running copy may bring its window to the front even though this process has the
  // foreground.
  AllowSetForegroundWindow(ASFW_ANY);
  bool found = false;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kTrayWindowClass, nullptr)) != nullptr) {
    PostMessageW(window, ShowRequestMessage(), 0, 0);
    found = true;
  }
  return found;
}

}  // namespace ormind
