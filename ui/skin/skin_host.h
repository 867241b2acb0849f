#pragma once
// What a skinned window needs of the program around it, handed in by whoever creates it: the
// module its pictures and icon come from, the hidden window that owns it (and gives the program
// its taskbar button), the title, whether the system has layered windows (the colour key a
// window falls back on when no region can be made of its face), and whom to tell when it was
// shown or hidden.
#include <windows.h>

#include <functional>

namespace ormind {

struct TSkinHost {
  // SetLayeredWindowAttributes, or null on systems without layered windows.
  using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

  HINSTANCE instance = nullptr;
  HWND owner = nullptr;
  const wchar_t* title = L"";
  SetLayeredAttributes layered = nullptr;
  // Called after the window was shown or hidden (the taskbar button follows the owned windows).
  std::function<void()> ownedWindowsChanged;
};

}  // namespace ormind
