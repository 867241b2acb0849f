#include "report/win32/preview/preview.h"

#include <algorithm>
#include <utility>

#include "report/printer/printer.h"

namespace ormind {
namespace {

SCROLLINFO ScrollInfoAsking(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  return info;
}

constexpr int32_t kLineStep = 16;  // pixels per scroll line (arrows and the wheel)

}  // namespace

uint32_t CurrentKeyModifiers() {
  const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  uint32_t modifiers = 0;
  if (down(VK_SHIFT)) modifiers |= kmShift;
  if (down(VK_MENU)) modifiers |= kmAlt;
  if (down(VK_CONTROL)) modifiers |= kmCtrl;
  if (down(VK_LBUTTON)) modifiers |= kmLeftButton;
  if (down(VK_RBUTTON)) modifiers |= kmRightButton;
  if (down(VK_MBUTTON)) modifiers |= kmMiddleButton;
  return modifiers;
}

bool TRptKeyRouter::Route(const TRptKeyPreview& handler, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const bool taken = handler && handler(static_cast<UINT>(wParam), CurrentKeyModifiers());
      fCharOfTakenKey = taken && message == WM_SYSKEYDOWN;
      return taken;
    }
    case WM_SYSCHAR: return std::exchange(fCharOfTakenKey, false);
  }
  return false;
}

TRptPreview::~TRptPreview() {
  if (fPrinter != nullptr) AttachPrinter(nullptr);
  DestroyHandle();
}

void TRptPreview::Create(TWindow& parent) {
  CreateHandle({.name = L"TRptPreview",
                .style = CS_HREDRAW | CS_VREDRAW,
                .cursor = LoadCursorW(nullptr, IDC_ARROW),
                .background = GetSysColorBrush(COLOR_BTNFACE)},
               {.style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN |
                         WS_TABSTOP,
                .width = fWidth,
                .height = fHeight,
                .parent = parent.Handle()});
  fImage.Create(*this);
}

void TRptPreview::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRptPreview::OuterSize(int32_t& width, int32_t& height) const {
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  width = outer.right - outer.left;
  height = outer.bottom - outer.top;
}

TRptPreviewPage TRptPreview::PageSize() const {
  if (fPrinter == nullptr) return {};
  return {fPrinter->PaperWidthValue(), fPrinter->PaperLengthValue(), fPrinter->FactorX()};
}

void TRptPreview::AttachPrinter(TRptPrinter* printer) {
  if (fPrinter != nullptr && fPrinter->NotifyTarget() == fNoticeWindow) {
    fPrinter->SetDestroyHook(nullptr);
    fPrinter->SetPreviewShown(false);
    fPrinter->SetNotifyTarget(0);
  }
  fPrinter = printer;
  fImage.SetPrinter(printer);
  if (printer != nullptr) {
    fNoticeWindow = reinterpret_cast<TRptWindowRef>(Handle());
    printer->SetNotifyTarget(fNoticeWindow);
    printer->SetPreviewShown(true);
    // A printer freed while still shown takes itself out of the page area first.
    printer->SetDestroyHook([this](TRptPrinter&) { PrinterGone(); });
  }
  SetPageNumber(1);
  fImage.SetPage(1);
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TRptPreview::PrinterGone() {
  fPrinter = nullptr;
  fImage.SetPrinter(nullptr);
  fImage.DropPicture();
}

void TRptPreview::SetPageNumber(int32_t n) {
  if ((n == fPageNumber && fImage.HasPicture()) || n < 1 || fPrinter == nullptr ||
      n > fPrinter->PageCount()) {
    return;
  }
  fImage.SetPage(n);
  fPageNumber = n;
  ScrollTo(SB_VERT, 0);
  ScrollTo(SB_HORZ, 0);
}

void TRptPreview::SetZoom(int32_t zoom) {
  if (fLayout.SetZoomPercent(zoom)) LayoutPage();
}

void TRptPreview::FitPage() {
  if (fPrinter == nullptr) return;
  int32_t w = 0, h = 0;
  OuterSize(w, h);
  fLayout.FitPage(PageSize(), w, h);
  LayoutPage();
}

void TRptPreview::FitWidth() {
  if (fPrinter == nullptr) return;
  int32_t w = 0, h = 0;
  OuterSize(w, h);
  fLayout.FitWidth(PageSize(), w);
  LayoutPage();
}

void TRptPreview::RefitOnResize() {
  if (fPrinter == nullptr) return;
  int32_t w = 0, h = 0;
  OuterSize(w, h);
  fLayout.Refit(PageSize(), w, h);
  LayoutPage();
}

void TRptPreview::LayoutPage() {
  if (fPrinter == nullptr) return;  // the printer is gone: the window is closing
  int32_t w = 0, h = 0;
  OuterSize(w, h);
  fPlacement = fLayout.LayoutPage(PageSize(), w, h);
  fScrollX = fScrollY = 0;
  fImage.SetBounds(fPlacement.Left, fPlacement.Top, fPlacement.Width, fPlacement.Height);
  fImage.SetZoom(fLayout.Zoom());
  fLayingOut = true;
  UpdateScrollBars();
  fLayingOut = false;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TRptPreview::ShowPendingPage() {
  if (fImage.HasPicture() || fPrinter == nullptr ||
      fPrinter->PagesReady() < fImage.PageNumber()) {
    return;
  }
  FitWidth();
  fImage.SetPage(fImage.PageNumber());
}

void TRptPreview::UpdateScrollBars() {
  const auto set = [&](int bar, int32_t range, int32_t position) {
    SCROLLINFO info = ScrollInfoAsking(SIF_RANGE | SIF_PAGE | SIF_POS);
    RECT client{};
    GetClientRect(Handle(), &client);
    info.nMin = 0;
    info.nMax = std::max(0, range - 1);
    info.nPage = static_cast<UINT>(bar == SB_HORZ ? client.right : client.bottom);
    info.nPos = position;
    SetScrollInfo(Handle(), bar, &info, TRUE);
  };
  // Twice: one bar appearing can take the room that makes the other one necessary.
  for (int pass = 0; pass < 2; ++pass) {
    set(SB_HORZ, fPlacement.ScrollWidth(), fScrollX);
    set(SB_VERT, fPlacement.ScrollHeight(), fScrollY);
  }
}

void TRptPreview::ScrollTo(int bar, int32_t position) {
  SCROLLINFO info = ScrollInfoAsking(SIF_RANGE | SIF_PAGE);
  GetScrollInfo(Handle(), bar, &info);
  const int32_t last = std::max<int32_t>(0, info.nMax - info.nMin + 1 - static_cast<int32_t>(info.nPage));
  position = std::clamp(position, 0, last);
  int32_t& current = bar == SB_HORZ ? fScrollX : fScrollY;
  const int32_t step = current - position;
  if (step == 0) return;
  current = position;
  SetScrollPos(Handle(), bar, position, TRUE);
  // The pixels already on screen move; only the uncovered strip is painted.
  ScrollWindowEx(Handle(), bar == SB_HORZ ? step : 0, bar == SB_VERT ? step : 0, nullptr, nullptr,
                 nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void TRptPreview::Scroll(int bar, WORD request) {
  SCROLLINFO info = ScrollInfoAsking(SIF_ALL);
  GetScrollInfo(Handle(), bar, &info);
  const int32_t current = bar == SB_HORZ ? fScrollX : fScrollY;
  const int32_t page = static_cast<int32_t>(info.nPage);
  switch (request) {
    case SB_LINEUP: ScrollTo(bar, current - kLineStep); break;
    case SB_LINEDOWN: ScrollTo(bar, current + kLineStep); break;
    case SB_PAGEUP: ScrollTo(bar, current - page); break;
    case SB_PAGEDOWN: ScrollTo(bar, current + page); break;
    case SB_TOP: ScrollTo(bar, 0); break;
    case SB_BOTTOM: ScrollTo(bar, info.nMax); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(bar, info.nTrackPos); break;
  }
}

void TRptPreview::WheelScroll(int32_t delta) {
  UINT linesPerNotch = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
  RECT client{};
  GetClientRect(Handle(), &client);
  const int linesPerPage = std::max<LONG>(1, client.bottom / kLineStep);
  // Positive lines move towards the top of the page.
  const int lines = fWheel.Add(delta, linesPerNotch, linesPerPage);
  if (lines != 0) ScrollTo(SB_VERT, fScrollY - lines * kLineStep);
}

LRESULT TRptPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_REPORT_PAGE_READY: {
      const auto n = static_cast<int32_t>(LOWORD(wParam));
      if (n == fPageNumber) ShowPendingPage();
      if (OnPageAvailable) OnPageAvailable(*this, n);
      return 0;
    }
    case WM_REPORT_PROGRESS:
      if (OnProgressUpdate) OnProgressUpdate(*this, static_cast<int32_t>(LOWORD(wParam)));
      return 0;
    case WM_SIZE:
      // Scroll bars coming and going change the client area, not the outer size fitted to.
      if (fPrinter != nullptr && !fLayingOut) RefitOnResize();
      return 0;
    case WM_DESTROY:
      // Still whole here (the image too): a printer still shown is let go properly.
      if (fPrinter != nullptr) AttachPrinter(nullptr);
      break;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: WheelScroll(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_LBUTTONDOWN: SetFocus(Handle()); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
      if (fKeys.Route(OnKeyPreview, message, wParam)) return 0;
      break;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
