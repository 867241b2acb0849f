#pragma once
// Registering the program's window classes: each class is registered the first time a window of
// it is made, and later requests for the same class name are no-ops.
#include <windows.h>

namespace ormind {

struct WindowClassOptions {
  UINT style = 0;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
};

void EnsureWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                       const WindowClassOptions& options = {});

}  // namespace ormind
