#include "ui/app/application.h"

#include <commctrl.h>

#include "platform/message_box_sink.h"
#include "platform/message_loop.h"
#include "platform/print_job.h"
#include "ui/skin/skinned_form.h"

namespace ormind {
namespace {

struct OwnedSearch {
  HWND owner;
  bool visible = false;
};

// Whether `window` can be brought forward for the user to work in.
bool TakesInput(HWND window) {
  return window && IsWindowVisible(window) && IsWindowEnabled(window) &&
         !(GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
}

BOOL CALLBACK FindVisibleOwned(HWND window, LPARAM search) {
  auto* state = reinterpret_cast<OwnedSearch*>(search);
  if (GetWindow(window, GW_OWNER) == state->owner && IsWindowVisible(window)) {
    state->visible = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TSkinHost TApplication::SkinHost() {
  return {.instance = instance_,
          .owner = Handle(),
          .title = title_,
          .layered = setLayered_,
          .ownedWindowsChanged = [this] { OwnedWindowsChanged(); }};
}

void TApplication::Initialize(HINSTANCE instance, const wchar_t* title) {
  instance_ = instance;
  title_ = title;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    setLayered_ = reinterpret_cast<TSkinHost::SetLayeredAttributes>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  }
  // A zero-size window at the screen's centre: never seen, but its caption is the program's
  // title on the taskbar.
  CreateHandle({.name = L"TApplication", .icon = kProgramIcon},
               {.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                .caption = title,
                .left = GetSystemMetrics(SM_CXSCREEN) / 2,
                .top = GetSystemMetrics(SM_CYSCREEN) / 2});
}

void TApplication::OwnedWindowsChanged() {
  if (!Handle()) return;
  // Only this thread's windows can be owned by the hidden window.
  OwnedSearch search{Handle()};
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleOwned, reinterpret_cast<LPARAM>(&search));
  if (search.visible && IsIconic(Handle())) {
    // A window shown (from the tray) while the taskbar button is minimised: bring the button
    // back up with it, or the window would sit under a minimised owner.
    ShowWindow(Handle(), SW_RESTORE);
  } else if (search.visible != (IsWindowVisible(Handle()) != FALSE)) {
    ShowWindow(Handle(), search.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
}

HWND TApplication::WindowToActivate() const {
  // The window of the program last active, when it still takes input: the modal editor over
  // the main window it disabled, the card's preview, a message box over either.
  if (const HWND last = GetLastActivePopup(Handle()); last != Handle() && TakesInput(last))
    return last;
  if (mainForm_ && TakesInput(mainForm_->Handle())) return mainForm_->Handle();
  // Otherwise the uppermost window of the program that does.
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != Handle() && GetAncestor(w, GA_ROOTOWNER) == Handle() && TakesInput(w)) return w;
  }
  return nullptr;
}

void TApplication::Minimize() {
  ShowOwnedPopups(Handle(), FALSE);
  ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  ShowWindow(Handle(), SW_RESTORE);
  ShowOwnedPopups(Handle(), TRUE);
  // The taskbar button always brings the main window back, also one hidden to the tray while
  // the button was down.
  if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
}

int TApplication::Run() { return RunMessageLoop(); }

void TApplication::ShowException(const std::exception& error) const {
  const HWND owner = mainForm_ && mainForm_->Visible() ? mainForm_->Handle() : Handle();
  ShowMessageBox(owner, error.what());
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Activated from the taskbar: the window the user works in takes the activation, never
      // one that a modal window has disabled.
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (const HWND target = WindowToActivate()) {
          SetActiveWindow(target);
          return 0;
        }
      }
      break;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // nothing is ever unsaved: the program never holds the logoff up
    case WM_ENDSESSION:
      // The process may be ended at any moment after this returns, so it ends here: a print
      // still running is thrown away rather than left half-spooled, and the system closes the
      // rest (the page stream's temporary file deletes itself on close).
      if (wParam) {
        AbortOpenPrintJobs();
        ExitProcess(0);
      }
      return 0;
    case WM_SYSCOMMAND:
      // The taskbar button (a click, Win+M) minimises this window: the windows it owns go
      // down with it and come back with it, so that the button, Alt+Tab and the tray agree on
      // what is shown.
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
      }
      break;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
