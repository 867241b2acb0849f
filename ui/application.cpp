#include "ui/application.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/message_box_sink.h"
#include "platform/text_encoding.h"
#include "ui/skinned_form.h"
#include "platform/window_class.h"

namespace ormind {

TApplication& TApplication::Instance() {
  static TApplication application;
  return application;
}

void TApplication::Initialize(HINSTANCE instance, const wchar_t* title) {
  instance_ = instance;
  title_ = title;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    setLayered_ = reinterpret_cast<SetLayeredAttributes>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  }
  EnsureWindowClass(instance, L"TApplication", WindowProc,
                    {.icon = LoadIconW(instance, L"MAINICON")});
  // A zero-size window at the screen's centre: never seen, but its caption is the program's
  // title on the taskbar.
  handle_ = CreateWindowExW(0, L"TApplication", title,
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                            0, 0, nullptr, nullptr, instance, nullptr);
}

void TApplication::UpdateVisible(bool anyWindowVisible) {
  if (!handle_) return;
  if (anyWindowVisible != (IsWindowVisible(handle_) != FALSE)) {
    ShowWindow(handle_, anyWindowVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
}

int TApplication::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void TApplication::ShowException(const std::exception& error) const {
  const HWND owner = mainForm_ && IsWindowVisible(mainForm_->Handle()) ? mainForm_->Handle() : handle_;
  ShowMessageBox(owner, error.what());
}

void TApplication::ShowUnknownException() const {
  ShowException(std::runtime_error("Unexpected error"));
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TApplication& app = Instance();
  switch (message) {
    case WM_ACTIVATE:
      // Activated from the taskbar: the main window takes the focus.
      if (LOWORD(wParam) != WA_INACTIVE && app.mainForm_ && IsWindowVisible(app.mainForm_->Handle())) {
        SetActiveWindow(app.mainForm_->Handle());
        return 0;
      }
      break;
    case WM_CLOSE:
      if (app.mainForm_) Guarded([&] { app.mainForm_->Close(); });
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ormind
