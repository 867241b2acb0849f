#include "report/win32/preview/preview_image.h"

#include "platform/handles.h"
#include "report/printer/printer.h"

namespace ormind {

TRptPreviewImage::~TRptPreviewImage() { DestroyHandle(); }

void TRptPreviewImage::Create(TWindow& parent) {
  CreateHandle({.name = L"TRptPreviewImage", .cursor = LoadCursorW(nullptr, IDC_ARROW)},
               {.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                .width = fWidth,
                .height = fHeight,
                .parent = parent.Handle()});
}

void TRptPreviewImage::SetPage(int32_t n) {
  fPageNumber = n;
  DropPicture();
  if (fPrinter != nullptr) fPicture = fPrinter->GetPage(n);
  FHasPicture = fPicture != nullptr;
  fPixels.SetPicture(fPicture.get());
  if (HandleAllocated()) {
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
  }
}

void TRptPreviewImage::DropPicture() {
  fPixels.SetPicture(nullptr);
  fPicture.reset();
  FHasPicture = false;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TRptPreviewImage::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  fWidth = width;
  fHeight = height;
  if (HandleAllocated()) {
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TRptPreviewImage::Paint() {
  PaintDC paint(Handle());
  if (!FHasPicture) {
    // The page area's colour shows until the page arrives.
    FillRect(paint.Get(), &paint.Area(), GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  fPixels.Paint(paint.Get(), fWidth, fHeight, GetSysColor(COLOR_BTNFACE));
}

LRESULT TRptPreviewImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MOUSEMOVE: {
      // The page answers the mouse as the page area around it does.
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const HWND area = GetParent(Handle());
      MapWindowPoints(Handle(), area, &at, 1);
      return SendMessageW(area, message, wParam, MAKELPARAM(at.x, at.y));
    }
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
