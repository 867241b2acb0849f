#pragma once
// One running copy of the program per user session. A second start finds the first one, asks
// it to show its main window and ends, instead of putting a second icon in the tray.
#include <windows.h>

#include <functional>

#include "platform/handles.h"

namespace ormind {

class SingleInstance {
 public:
  explicit SingleInstance(const wchar_t* name);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another copy held the name before this one (or holds it out of this one's reach).
  bool OtherIsRunning() const { return otherIsRunning_; }
  // Gives the name up, so that a new start while this copy is still tearing down runs on its own.
  void Release();

 private:
  KernelHandle mutex_;
  bool otherIsRunning_ = false;
};

// Asks the running copy to show its main window (its tray icon passes the request on).
// Returns false when no running copy took the request.
using PostRequest = std::function<BOOL(HWND, UINT, WPARAM, LPARAM)>;
bool AskRunningCopyToShow(const PostRequest& post = PostMessageW);

}  // namespace ormind
