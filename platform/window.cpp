#include "platform/window.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <vector>

#include "platform/control.h"
#include "platform/handler_errors.h"
#include "platform/handles.h"

namespace ormind {
namespace {

std::atomic<int> g_liveWindows{0};

// A class's icons live as long as the class, which stays registered for the process's life.
HICON LoadClassIcon(HINSTANCE instance, const wchar_t* name, int widthMetric, int heightMetric) {
  static std::vector<IconHandle> loaded;
  if (!name) return nullptr;
  auto icon = static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, GetSystemMetrics(widthMetric),
                                            GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
  if (!icon) return nullptr;
  return loaded.emplace_back(icon).Get();
}

void EnsureWindowClass(HINSTANCE instance, const WindowClassSpec& desc, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExW(instance, desc.name, &windowClass)) return;
  windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = desc.style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadClassIcon(instance, desc.icon, SM_CXICON, SM_CYICON);
  windowClass.hIconSm = LoadClassIcon(instance, desc.icon, SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = desc.cursor;
  windowClass.hbrBackground = desc.background;
  windowClass.lpszClassName = desc.name;
  if (!RegisterClassExW(&windowClass)) throw std::runtime_error("Cannot register a window class");
}

}  // namespace

TWindow::~TWindow() {
  // The derived owner should have destroyed the window already; if not, its handlers are gone,
  // so the window is unbound first and dies without reaching this object.
  if (!handle_) return;
  const HWND window = handle_;
  Unbind();
  DestroyWindow(window);
}

TWindow* TWindow::FromHandle(HWND window) {
  // Only windows of this process's own classes carry an object in their user data. The class's
  // procedure tells them apart: a window's own procedure may have been subclassed (a tooltip
  // that follows the mouse over the window does that).
  DWORD process = 0;
  if (!window || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId() ||
      GetClassLongPtrW(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&WindowProc))
    return nullptr;
  return reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int TWindow::LiveWindows() { return g_liveWindows.load(); }

void TWindow::CreateHandle(const WindowClassSpec& windowClass, const WindowSpec& desc) {
  if (handle_) throw std::logic_error("The window already exists");
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  EnsureWindowClass(instance, windowClass, WindowProc);
  CreateWindowExW(desc.exStyle, windowClass.name, desc.caption, desc.style, desc.left, desc.top,
                  desc.width, desc.height, desc.parent, reinterpret_cast<HMENU>(desc.childId),
                  instance, this);
  if (!handle_) throw std::runtime_error("Cannot create the window");
}

void TWindow::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);  // WM_NCDESTROY unbinds
}

void TWindow::Bind(HWND window) {
  handle_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ++g_liveWindows;
}

void TWindow::Unbind() {
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  handle_ = nullptr;
  // The child controls died with this window (children go first).
  for (TControl* control : controls_) control->handle_ = nullptr;
  --g_liveWindows;
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) self->Bind(window);
  }
  TWindow* self = FromHandle(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->Unbind();
    const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
    Guarded([self] { self->WindowDestroyed(); });
    return result;
  }
  LRESULT result = 0;
  Guarded([&] { result = self->HandleMessage(message, wParam, lParam); });
  return result;
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteToControl(message, wParam, lParam, result)) return result;
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

TControl* TWindow::ControlOf(HWND window) const {
  if (!window) return nullptr;
  const auto found = std::find_if(controls_.begin(), controls_.end(), [window](TControl* c) {
    return c->handle_ == window || c->OwnsHelperWindow(window);
  });
  return found == controls_.end() ? nullptr : *found;
}

// Notifications name the control's window: WM_COMMAND and the colour messages in lParam,
// WM_NOTIFY in its header (a toolbar's hints come from its tooltip window).
bool TWindow::RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (TControl* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
        control->Command(HIWORD(wParam), LOWORD(wParam));
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (TControl* control = ControlOf(header->hwndFrom)) {
        result = control->Notify(*header);
        return true;
      }
      return false;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (TControl* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->Colors(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
  }
  return false;
}

}  // namespace ormind
