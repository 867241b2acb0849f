#include "ui/skin/skinned_form.h"

#include <windowsx.h>

#include <algorithm>

#include "pictures/win32/graphic_registry.h"
#include "platform/buffered_paint.h"
#include "platform/display_dpi.h"
#include "ui/skin/rules/see_through.h"

namespace ormind {
namespace {

// SC_MOVE combined with 2: the move that follows the mouse, as from a caption.
constexpr WPARAM kMoveByMouse = 0xF012;

RECT ToRect(const Bounds& b) { return {b.left, b.top, b.Right(), b.Bottom()}; }

}  // namespace

TSkinnedForm::~TSkinnedForm() { DestroyHandle(); }

void TSkinnedForm::CreateForm(const wchar_t* className, const wchar_t* caption,
                              const Bounds& bounds) {
  CreateHandle({.name = className,
                .style = CS_DBLCLKS,
                .icon = kProgramIcon,
                .cursor = LoadCursorW(nullptr, IDC_ARROW)},
               {.style = WS_POPUP | WS_CLIPCHILDREN,
                .caption = caption,
                .left = bounds.left, .top = bounds.top, .width = bounds.width, .height = bounds.height,
                .parent = host_.owner});
  hints_.Create(Handle());
  scale_ = DisplayScale(static_cast<int>(WindowDpi(Handle())));
}

void TSkinnedForm::SetLayoutSize(int layoutWidth, int layoutHeight) {
  SetWindowPos(Handle(), nullptr, 0, 0, scale_.Length(layoutWidth), scale_.Length(layoutHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSkinnedForm::LayOutFace(TImage& face, const wchar_t* picture100, int layoutWidth,
                              int layoutHeight) {
  SetLayoutSize(layoutWidth, layoutHeight);
  face.SetBounds(scale_.Rect({0, 0, layoutWidth, layoutHeight}));
  face.SetPicture(LoadFirstStoredPictureResource(scale_.RenderingNames(picture100)));
}

// Moved to a monitor of another DPI (or that monitor's scale changed): the window takes the
// place the system suggests, then everything on it is laid out anew, its outline included.
void TSkinnedForm::DpiChanged(UINT dpi, const RECT& suggested) {
  scale_ = DisplayScale(static_cast<int>(dpi));
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
  InvalidateRect(Handle(), nullptr, FALSE);
}

COLORREF TSkinnedForm::ColorForControls(COLORREF wanted) const {
  return AvoidSeeThrough(wanted, kTransparentColorValue);
}

void TSkinnedForm::ShapeByFace() {
  if (!Handle() || controls_.empty()) return;
  const TImage* face = controls_.front();
  std::function<void(HDC)> paintFace;  // none without a picture: nothing to take the outline of
  if (face->Picture() && !face->Picture()->Empty()) paintFace = [face](HDC dc) { face->Paint(dc); };
  shape_ = ShapeWindowByFace(Handle(), paintFace, host_.layered);
}

void TSkinnedForm::Show() {
  if (!Handle()) return;
  if (!Visible()) {
    FormShow();
    ShowWindow(Handle(), SW_SHOW);
    if (host_.ownedWindowsChanged) host_.ownedWindowsChanged();
  }
  SetForegroundWindow(Handle());
}

void TSkinnedForm::Hide() {
  // Already out of sight because the taskbar button was minimised: the button goes too.
  if (Visible()) ShowWindow(Handle(), SW_HIDE);
  if (host_.ownedWindowsChanged) host_.ownedWindowsChanged();
}

void TSkinnedForm::AddControl(TImage& control) {
  controls_.push_back(&control);
  ControlHintChanged(control);
  if (controls_.size() == 1) ShapeByFace();
}

void TSkinnedForm::ControlPictureChanged(const TImage& control) {
  if (!controls_.empty() && controls_.front() == &control) ShapeByFace();
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
  if (!Handle()) return;
  const RECT rect = ToRect(area);
  InvalidateRect(Handle(), &rect, FALSE);
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
  // Relative to the DC's own origin, which a buffered paint has moved already.
  POINT previous;
  OffsetViewportOrgEx(dc, -area.left, -area.top, &previous);
  controls_.front()->Paint(dc);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void TSkinnedForm::StartDrag(MouseButton button) {
  ReleaseCapture();
  if (button == MouseButton::Left) {
    SendMessageW(Handle(), WM_SYSCOMMAND, kMoveByMouse, 0);
    return;
  }
  RECT window;
  POINT cursor;
  GetWindowRect(Handle(), &window);
  GetCursorPos(&cursor);
  dragOffset_ = {cursor.x - window.left, cursor.y - window.top};
  dragging_ = true;
  SetCapture(Handle());
}

// While a right or middle button drags the window: follows the cursor, ends on the release.
bool TSkinnedForm::FollowDrag(UINT message) {
  if (!dragging_) return false;
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT cursor;
      GetCursorPos(&cursor);
      SetWindowPos(Handle(), nullptr, cursor.x - dragOffset_.x, cursor.y - dragOffset_.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return true;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONUP:
      dragging_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return false;
  }
  return false;
}

void TSkinnedForm::Paint() {
  // Drawn off screen first, so that a button never flickers over the face.
  PaintBuffered(Handle(), [this](HDC dc, const RECT& area) {
    for (const TImage* control : controls_) {
      RECT bounds = ToRect(control->BoundsRect()), overlap;
      if (IntersectRect(&overlap, &bounds, &area)) control->Paint(dc);
    }
    PaintOverControls(dc);
  });
}

void TSkinnedForm::OnButtonDown(MouseButton button, LPARAM position) {
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  TImage* control = ControlAt(x, y);
  if (!control) return;
  pressed_ = control;
  clicking_ = button == MouseButton::Left;
  SetCapture(Handle());
  MouseDown(*control, button, x, y);
  if (GetCapture() != Handle() || dragging_) pressed_ = nullptr;  // the handler moved the window
}

void TSkinnedForm::OnButtonUp(MouseButton button, LPARAM position) {
  TImage* control = pressed_;
  if (!control) return;
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  const bool click = clicking_ && button == MouseButton::Left && control->BoundsRect().Contains(x, y);
  pressed_ = nullptr;
  clicking_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  if (click) Click(*control);
  MouseUp(*control, button, x, y);
}

void TSkinnedForm::OnMouseMove(LPARAM position) {
  const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
  TImage* control = pressed_ ? pressed_ : ControlAt(x, y);
  if (control) MouseMove(*control, x, y);
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
    case WM_MOUSEMOVE:
      hints_.MouseMoved(wParam, lParam);
      OnMouseMove(lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) pressed_ = nullptr;
      return 0;
    case WM_MOUSEWHEEL: MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_DPICHANGED: DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_DESTROY: hints_.Destroy(); break;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
