#pragma once
// The application object: the program's title, its hidden owner window (which gives the
// program one taskbar button while a window is shown), whether the system has layered
// windows, the message loop and the last-resort error handler.
#include <windows.h>

#include <exception>

namespace ormind {

class TApplication {
 public:
  static TApplication& Instance();

  // Sets the title, creates the hidden owner window, looks up SetLayeredWindowAttributes.
  void Initialize(HINSTANCE instance, const wchar_t* title);
  HINSTANCE ModuleInstance() const { return instance_; }
  HWND Handle() const { return handle_; }
  const wchar_t* Title() const { return title_; }

  // SetLayeredWindowAttributes, or null on systems without layered windows.
  using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  SetLayeredAttributes LayeredWindows() const { return setLayered_; }

  // The main window: its closing ends the program; the owner window passes activation and
  // close requests from the taskbar on to it.
  void SetMainForm(class TSkinnedForm* form) { mainForm_ = form; }
  // Shows the taskbar button while some window of the program is visible.
  void UpdateVisible(bool anyWindowVisible);

  int Run();
  void Terminate() { PostQuitMessage(0); }

  // The last-resort handler: the error's message in a message box, then carry on.
  void ShowException(const std::exception& error) const;
  void ShowUnknownException() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  const wchar_t* title_ = L"";
  SetLayeredAttributes setLayered_ = nullptr;
  class TSkinnedForm* mainForm_ = nullptr;
};

// Runs one message handler; anything it throws is shown and the program carries on.
template <typename Handler>
void Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    TApplication::Instance().ShowException(error);
  } catch (...) {
    TApplication::Instance().ShowUnknownException();
  }
}

}  // namespace ormind
