#pragma once
// The application object: the program's title, its hidden owner window (which gives the
// program one taskbar button while one of the windows it owns is shown), whether the system
// has layered windows, the message loop and the message box for errors.
#include <windows.h>

#include <exception>

#include "platform/window.h"
#include "ui/skin/skin_host.h"

namespace ormind {

class TSkinnedForm;

// One per program, made in its entry function.
class TApplication final : public TWindow {
 public:
  TApplication() = default;
  ~TApplication() override { DestroyHandle(); }

  // Sets the title, creates the hidden owner window, looks up SetLayeredWindowAttributes.
  void Initialize(HINSTANCE instance, const wchar_t* title);
  HINSTANCE ModuleInstance() const { return instance_; }
  const wchar_t* Title() const { return title_; }

  // What the program's skinned windows need of it: owned by the hidden window, titled, the
  // colour key to fall back on where the system has layered windows, and the taskbar button
  // kept in step with them.
  TSkinHost SkinHost();

  // The main window: its closing ends the program; the owner window passes close requests
  // from the taskbar on to it, and activation when no other window of the program is in use.
  void SetMainForm(TSkinnedForm* form) { mainForm_ = form; }
  // Call after a window owned by the hidden window was shown or hidden: the taskbar button
  // stays while any of them is visible.
  void OwnedWindowsChanged();

  int Run();
  void Terminate() { PostQuitMessage(0); }

  // Shows an error in a message box titled "Ormind!" owned by the main window when it is
  // visible; the program carries on. The error funnel reports through this.
  void ShowException(const std::exception& error) const;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Minimize();
  void Restore();
  // Where an activation from the taskbar goes: the program's window last active if it still
  // takes input, else the main window if it does, else the uppermost one that does; none when
  // no window of the program takes input.
  HWND WindowToActivate() const;

  HINSTANCE instance_ = nullptr;
  const wchar_t* title_ = L"";
  TSkinHost::SetLayeredAttributes setLayered_ = nullptr;
  TSkinnedForm* mainForm_ = nullptr;
};

}  // namespace ormind
