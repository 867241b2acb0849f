// A small program that owns the tray icon and its menu the way the main window does: N1 to N4
// with the interface texts, N1 shows the window, N2 hides it, N4 closes it and so ends the
// program, a double click runs N1, a second start shows the running copy. The end-to-end
// test drives it under wine. Argument: the interface language (1049 Russian, else English).
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/interface_texts.h"
#include "ui/handler_errors.h"
#include "ui/single_instance.h"
#include "ui/tray_icon.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

constexpr wchar_t kFormClass[] = L"OrmindTrayHostForm";
constexpr int kWidth = 300, kHeight = 200;

class TrayHostForm {
 public:
  explicit TrayHostForm(int32_t lang) : lang_(lang) {
    N1 = &TrayPopupMenu1.Add("N1", "\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7\xD0\xB0\xD1\x82\xD1\x8C", [this] { N1Click(); });
    N1->Default = true;
    N2 = &TrayPopupMenu1.Add("N2", "\xD0\xA1\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBD\xD1\x83\xD1\x82\xD1\x8C", [this] { N2Click(); });
    N3 = &TrayPopupMenu1.Add("N3", "-");
    N4 = &TrayPopupMenu1.Add("N4", "\xD0\x97\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C", [this] { N4Click(); });

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(40, 60, 120));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    CreateWindowExW(0, kFormClass, L"Ormind tray host", WS_POPUP,
                    GetSystemMetrics(SM_CXSCREEN) - kWidth, 50, kWidth, kHeight, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);

    // The stored layout of the tray icon, then its loaded notice.
    TrayIcon1.MainWindow = handle_;
    TrayIcon1.SetInterval(500);
    TrayIcon1.SetPopupMenu(&TrayPopupMenu1);
    TrayIcon1.OnShowRequest = [this](TTrayIcon&) { N1Click(); };
    TrayIcon1.Icon().LoadFromResource(GetModuleHandleW(nullptr), L"MAINICON");
    TrayIcon1.Loaded();
  }
  ~TrayHostForm() {
    if (handle_) DestroyWindow(handle_);
  }

  void Show() { ShowWindow(handle_, SW_SHOW); }

  TTrayPopupMenu TrayPopupMenu1;
  TTrayIcon TrayIcon1;
  TMenuItem *N1, *N2, *N3, *N4;

 private:
  void FormShow() {
    const InterfaceTexts texts(lang_);
    N1->Caption = texts[TextId::Show];
    N2->Caption = texts[TextId::Minimize];
    N4->Caption = texts[TextId::Close];
  }
  void N1Click() {
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
  }
  void N2Click() { ShowWindow(handle_, SW_HIDE); }
  void N4Click() { DestroyWindow(handle_); }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* form = static_cast<TrayHostForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      form->handle_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TrayHostForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
      if (form && message == WM_SHOWWINDOW && wParam) form->FormShow();
      if (form && message == WM_DESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->handle_ = nullptr;
        PostQuitMessage(0);
      }
    } catch (...) {
      ReportHandlerError();
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  int32_t lang_;
  HWND handle_ = nullptr;
};

int32_t LanguageArgument() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  const int32_t lang = count > 1 ? _wtoi(args[1]) : 1033;
  LocalFree(args);
  return lang;
}

}  // namespace
}  // namespace ormind

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace ormind;
  SingleInstance instance(L"Local\\OrmindTrayHost");
  if (instance.OtherIsRunning()) {
    AskRunningCopyToShow();
    return 0;
  }
  try {
    TrayHostForm form(LanguageArgument());
    form.Show();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    ReportHandlerError();
    return 1;
  }
  return 0;
}
