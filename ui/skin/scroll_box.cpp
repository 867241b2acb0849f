#include "ui/skin/scroll_box.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/buffered_paint.h"
#include "platform/text_encoding.h"
#include "ui/skin/skinned_form.h"

namespace ormind {
namespace {
constexpr wchar_t kClassName[] = L"TScrollBox";
// Pixels per click on a scroll arrow, and per wheel line, at 96 DPI: a line moves the same
// distance on the screen at every scale.
constexpr int kLayoutLineStep = 8;

unsigned WheelLinesPerNotch() {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return lines;
}
}  // namespace

void TScrollBox::Create(TSkinnedForm& parent, const Bounds& bounds) {
  parent_ = &parent;
  bounds_ = bounds;
  CreateHandle({.name = kClassName, .style = CS_DBLCLKS, .cursor = LoadCursorW(nullptr, IDC_ARROW)},
               {.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                .left = bounds.left, .top = bounds.top, .width = bounds.width, .height = bounds.height,
                .parent = parent.Handle()});
}

void TScrollBox::SetBounds(const Bounds& bounds) {
  bounds_ = bounds;
  if (Handle()) MoveWindow(Handle(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
  Realign();
}

void TScrollBox::Realign() {
  int width = 0, height = 0;
  for (const TLabel* label : labels_) {
    width = std::max(width, label->BoundsRect().Right());
    height = std::max(height, label->BoundsRect().Bottom());
  }
  wheel_.Reset();  // a partial turn belongs to the content it was made over
  scroll_ = UpdateScrolls(scroll_, width, height, bounds_.width, bounds_.height,
                          GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  if (!Handle()) return;
  // The area's window text is what its labels show, for assistive tools.
  std::string text;
  for (const TLabel* label : labels_) text += (text.empty() ? "" : "\n") + label->Caption();
  SetWindowTextW(Handle(), Utf8ToWide(text).c_str());
  for (const int bar : {SB_HORZ, SB_VERT}) {
    const ScrollAxis& axis = Axis(bar);
    ShowScrollBar(Handle(), bar, axis.visible);
    if (!axis.visible) continue;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = axis.range - 1;
    info.nPage = static_cast<UINT>(axis.page);
    info.nPos = axis.position;
    SetScrollInfo(Handle(), bar, &info, TRUE);
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TScrollBox::ScrollTo(int bar, int position) {
  ScrollAxis& axis = Axis(bar);
  const int clamped = std::clamp(position, 0, axis.MaxPosition());
  if (clamped == axis.position) return;
  axis.position = clamped;
  SetScrollPos(Handle(), bar, clamped, TRUE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TScrollBox::OnScroll(int bar, WORD request) {
  const ScrollAxis& axis = Axis(bar);
  const int line = LineStep();
  switch (request) {
    case SB_LINEUP: ScrollTo(bar, ScrollBy(axis, -line)); break;
    case SB_LINEDOWN: ScrollTo(bar, ScrollBy(axis, line)); break;
    case SB_PAGEUP: ScrollTo(bar, ScrollBy(axis, -axis.page)); break;
    case SB_PAGEDOWN: ScrollTo(bar, ScrollBy(axis, axis.page)); break;
    case SB_TOP: ScrollTo(bar, 0); break;
    case SB_BOTTOM: ScrollTo(bar, axis.MaxPosition()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), bar, &info);
      ScrollTo(bar, info.nTrackPos);
      break;
    }
  }
}

int TScrollBox::LineStep() const { return parent_->Scale().Length(kLayoutLineStep); }

void TScrollBox::OnWheel(int delta) {
  const ScrollAxis& axis = scroll_.vertical;
  const int line = LineStep();
  const int lines = wheel_.Add(delta, WheelLinesPerNotch(), std::max(axis.page / line, 1));
  if (lines != 0) ScrollTo(SB_VERT, ScrollBy(axis, -lines * line));
}

void TScrollBox::Paint() {
  PaintBuffered(Handle(), [this](HDC dc, const RECT&) {
    parent_->PaintFaceUnder(dc, bounds_);
    for (const TLabel* label : labels_) {
      label->Paint(dc, -scroll_.horizontal.position, -scroll_.vertical.position);
    }
  });
}

bool TScrollBox::OnLabel(LPARAM position) const {
  const int x = GET_X_LPARAM(position) + scroll_.horizontal.position;
  const int y = GET_Y_LPARAM(position) + scroll_.vertical.position;
  return std::any_of(labels_.begin(), labels_.end(),
                     [&](const TLabel* l) { return l->BoundsRect().Contains(x, y); });
}

LRESULT TScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto press = [&](MouseButton button) {
    // The labels take their own presses (they have none); the empty part moves the window.
    if (!OnLabel(lParam) && onMouseDown) onMouseDown(button);
    return 0;
  };
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return press(MouseButton::Left);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return press(MouseButton::Right);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return press(MouseButton::Middle);
    case WM_MOUSEMOVE:
      if (!OnLabel(lParam) && onMouseMove) onMouseMove();
      return 0;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
