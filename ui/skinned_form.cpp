#include "ui/skinned_form.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32_handles.h"
#include "ui/application.h"
#include "platform/window_class.h"

namespace ormind {
namespace {

// SC_MOVE combined with 2: the move that follows the mouse, as from a caption.
constexpr WPARAM kMoveByMouse = 0xF012;

RECT ToRect(const Bounds& b) { return {b.left, b.top, b.Right(), b.Bottom()}; }

}  // namespace

TSkinnedForm::~TSkinnedForm() {
  if (handle_) DestroyWindow(handle_);
}

void TSkinnedForm::CreateHandle(const wchar_t* className, const wchar_t* caption,
                                const Bounds& bounds) {
  TApplication& app = TApplication::Instance();
  EnsureWindowClass(app.ModuleInstance(), className, WindowProc,
                    {.style = CS_DBLCLKS,
                     .icon = LoadIconW(app.ModuleInstance(), L"MAINICON"),
                     .cursor = LoadCursorW(nullptr, IDC_ARROW)});
  const DWORD exStyle = app.LayeredWindows() ? WS_EX_LAYERED : 0;
  CreateWindowExW(exStyle, className, caption, WS_POPUP | WS_CLIPCHILDREN, bounds.left, bounds.top,
                  bounds.width, bounds.height, app.Handle(), nullptr, app.ModuleInstance(), this);
  if (!handle_) throw std::runtime_error("Cannot create the window");
  ApplyTransparency();
  hints_.Create(handle_);
}

void TSkinnedForm::ApplyTransparency() {
  const auto setLayered = TApplication::Instance().LayeredWindows();
  if (!setLayered) return;  // an unshaped rectangle: white shows as white
  const LONG_PTR exStyle = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(handle_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  setLayered(handle_, kTransparentColorValue, 255, LWA_COLORKEY);
}

void TSkinnedForm::Show() {
  if (!handle_) return;
  if (!Visible()) {
    FormShow();
    ShowWindow(handle_, SW_SHOW);
    TApplication::Instance().UpdateVisible(true);
  }
  SetForegroundWindow(handle_);
}

void TSkinnedForm::Hide() {
  if (!Visible()) return;
  ShowWindow(handle_, SW_HIDE);
  TApplication::Instance().UpdateVisible(false);
}

void TSkinnedForm::AddControl(TImage& control) {
  controls_.push_back(&control);
  ControlHintChanged(control);
}

TImage* TSkinnedForm::ControlAt(int x, int y) const {
  const auto found = std::find_if(controls_.rbegin(), controls_.rend(),
                                  [&](TImage* c) { return c->BoundsRect().Contains(x, y); });
  return found == controls_.rend() ? nullptr : *found;
}

TImage* TSkinnedForm::FindControl(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](TImage* c) { return c->Name() == name; });
  return found == controls_.end() ? nullptr : *found;
}

void TSkinnedForm::InvalidateArea(const Bounds& area) {
  if (!handle_) return;
  const RECT rect = ToRect(area);
  InvalidateRect(handle_, &rect, FALSE);
}

void TSkinnedForm::ControlMoved(const TImage& control) {
  const auto index = std::find(controls_.begin(), controls_.end(), &control) - controls_.begin();
  hints_.Move(static_cast<UINT_PTR>(index) + 1, control.BoundsRect());
}

void TSkinnedForm::ControlHintChanged(const TImage& control) {
  const auto index = std::find(controls_.begin(), controls_.end(), &control) - controls_.begin();
  if (index == static_cast<ptrdiff_t>(controls_.size())) return;
  hints_.Set(static_cast<UINT_PTR>(index) + 1, control.BoundsRect(), control.Hint());
}

void TSkinnedForm::PaintFaceUnder(HDC dc, const Bounds& area) const {
  if (controls_.empty()) return;
  const POINT origin = {-area.left, -area.top};
  POINT previous;
  SetViewportOrgEx(dc, origin.x, origin.y, &previous);
  controls_.front()->Paint(dc);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void TSkinnedForm::StartDrag(MouseButton button) {
  ReleaseCapture();
  if (button == MouseButton::Left) {
    SendMessageW(handle_, WM_SYSCOMMAND, kMoveByMouse, 0);
    return;
  }
  RECT window;
  POINT cursor;
  GetWindowRect(handle_, &window);
  GetCursorPos(&cursor);
  dragOffset_ = {cursor.x - window.left, cursor.y - window.top};
  dragging_ = true;
  SetCapture(handle_);
}

// While a right or middle button drags the window: follows the cursor, ends on the release.
bool TSkinnedForm::FollowDrag(UINT message) {
  if (!dragging_) return false;
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT cursor;
      GetCursorPos(&cursor);
      SetWindowPos(handle_, nullptr, cursor.x - dragOffset_.x, cursor.y - dragOffset_.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return true;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONUP:
      dragging_ = false;
      if (GetCapture() == handle_) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return false;
  }
  return false;
}

void TSkinnedForm::Paint() {
  PaintDC paint(handle_);
  const RECT& area = paint.Area();
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Drawn off screen first, so that a button never flickers over the face.
  MemoryDC buffer(paint.Get());
  BitmapHandle bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
  if (!buffer.Get() || !bitmap) return;
  {
    SelectedObject selected(buffer.Get(), bitmap.Get());
    SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
    for (const TImage* control : controls_) {
      RECT bounds = ToRect(control->BoundsRect()), overlap;
      if (IntersectRect(&overlap, &bounds, &area)) control->Paint(buffer.Get());
    }
    SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
    BitBlt(paint.Get(), area.left, area.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
  }
}

void TSkinnedForm::OnButtonDown(MouseButton button, LPARAM position) {
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  TImage* control = ControlAt(x, y);
  if (!control) return;
  pressed_ = control;
  clicking_ = button == MouseButton::Left;
  SetCapture(handle_);
  MouseDown(*control, button, x, y);
  if (GetCapture() != handle_ || dragging_) pressed_ = nullptr;  // the handler moved the window
}

void TSkinnedForm::OnButtonUp(MouseButton button, LPARAM position) {
  TImage* control = pressed_;
  if (!control) return;
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  const bool click = clicking_ && button == MouseButton::Left && control->BoundsRect().Contains(x, y);
  pressed_ = nullptr;
  clicking_ = false;
  if (GetCapture() == handle_) ReleaseCapture();
  if (click) Click(*control);
  MouseUp(*control, button, x, y);
}

void TSkinnedForm::OnMouseMove(LPARAM position) {
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  TImage* control = pressed_ ? pressed_ : ControlAt(x, y);
  if (control) MouseMove(*control, x, y);
}

LRESULT CALLBACK TSkinnedForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TSkinnedForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TSkinnedForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->handle_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    result = form->HandleMessage(message, wParam, lParam);
    handled = true;
  });
  return handled ? result : 0;
}

LRESULT TSkinnedForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (FollowDrag(message)) return 0;
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the face covers everything
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(MouseButton::Left, lParam); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnButtonDown(MouseButton::Right, lParam); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: OnButtonDown(MouseButton::Middle, lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(MouseButton::Left, lParam); return 0;
    case WM_RBUTTONUP: OnButtonUp(MouseButton::Right, lParam); return 0;
    case WM_MBUTTONUP: OnButtonUp(MouseButton::Middle, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != handle_) pressed_ = nullptr;
      return 0;
    case WM_MOUSEWHEEL: MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_CLOSE: Close(); return 0;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace ormind
