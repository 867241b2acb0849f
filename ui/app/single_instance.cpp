#include "ui/app/single_instance.h"

#include "ui/tray/tray_icon.h"

namespace ormind {

SingleInstance::SingleInstance(const wchar_t* name) {
  mutex_.Reset(CreateMutexW(nullptr, FALSE, name));
  const DWORD error = GetLastError();
  // A copy running elevated (or as another user in this session) holds a name this one may not
  // open: that is another copy too.
  otherIsRunning_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

void SingleInstance::Release() { mutex_.Reset(); }

bool AskRunningCopyToShow(const PostRequest& post) {
  // The running copy may bring its window to the front even though this process has the
  // foreground.
  AllowSetForegroundWindow(ASFW_ANY);
  bool found = false;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kTrayWindowClass, nullptr)) != nullptr) {
    // Only a request that got through counts: one a privileged copy's filter refused leaves
    // this start to run on its own rather than end with nothing shown.
    if (post(window, ShowRequestMessage(), 0, 0)) found = true;
  }
  return found;
}

}  // namespace ormind
