#include "report/win32/progress_form.h"

#include "platform/message_loop.h"
#include "report/printer/progress_text.h"
#include "report/win32/message_port.h"

namespace ormind {
namespace {

constexpr int kClientWidth = 149, kClientHeight = 97;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;

// The window rectangle around a 149 x 97 client area, centred on the screen.
RECT CentredBounds() {
  RECT bounds{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&bounds, kStyle, FALSE, kExStyle);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

TRptProgressForm::TRptProgressForm(TRptPrinter& printer) : fPrinter(printer) {
  const RECT bounds = CentredBounds();
  CreateHandle({L"TRptProgressForm", 0, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
               {kExStyle, kStyle, L"Printing progress", int(bounds.left), int(bounds.top),
                int(bounds.right - bounds.left), int(bounds.bottom - bounds.top)});
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  fFont.Reset(CreateFontIndirectW(&metrics.lfMessageFont));

  Gauge.Create(*this, {16, 18, 114, 16}, 100);
  Info.Create(*this, "", {0, 44, 145, 13});
  SetWindowLongPtrW(Info.Handle(), GWL_STYLE,
                    GetWindowLongPtrW(Info.Handle(), GWL_STYLE) | SS_CENTER);
  CancelButton.Create(*this, "Cancel", {36, 60, 75, 25}, IDCANCEL, true);
  Info.SetFont(fFont.Get());
  CancelButton.SetFont(fFont.Get());
  CancelButton.OnClick = [this] { fPrinter.RequestCancel(); };
  SetWantsDialogKeys(true);  // Esc and Enter press Cancel
}

TRptProgressForm::~TRptProgressForm() { DestroyHandle(); }

void TRptProgressForm::Show() {
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
}

TRptWindowRef TRptProgressForm::NoticeTarget() const { return WindowRef(Handle()); }

void TRptProgressForm::ProgressChanged() {
  const int32_t percent = fPrinter.ProgressValue();
  const auto text = ProgressInfoText(percent);
  if (!text) return;
  Gauge.SetPosition(percent);
  Info.SetText(*text);
  ProcessPendingMessages();
}

LRESULT TRptProgressForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_REPORT_PROGRESS:
      ProgressChanged();
      return 0;
    case WM_CLOSE:  // closing the window asks for a cancel, as the button does
      fPrinter.RequestCancel();
      return 0;
    default:
      return TWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace ormind
