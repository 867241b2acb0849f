#include "report/win32/progress_form.h"

#include "platform/message_loop.h"
#include "report/printer/progress_text.h"
#include "report/win32/message_port.h"

namespace ormind {
namespace {

constexpr int kClientWidth = 149, kClientHeight = 97;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// The window rectangle around a 149 x 97 client area, centred on `owner` or on the screen.
RECT CentredBounds(HWND owner) {
  RECT bounds{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&bounds, kStyle, FALSE, kExStyle);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr) GetWindowRect(owner, &around);
  const int left = around.left + (around.right - around.left - width) / 2;
  const int top = around.top + (around.bottom - around.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

TRptProgressForm::TRptProgressForm(TRptPrinter& printer, HWND owner) : fPrinter(printer) {
  const RECT bounds = CentredBounds(owner);
  CreateHandle({L"TRptProgressForm", 0, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
               {kExStyle, kStyle, L"Printing progress", int(bounds.left), int(bounds.top),
                int(bounds.right - bounds.left), int(bounds.bottom - bounds.top), owner});
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
  fNotices.Create([this] { ProgressChanged(); });
}

TRptProgressForm::~TRptProgressForm() { DestroyHandle(); }

void TRptProgressForm::Show() {
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
}

TRptWindowRef TRptProgressForm::NoticeTarget() const { return WindowRef(fNotices.Handle()); }

void TRptProgressForm::TNoticeWindow::Create(std::function<void()> onProgress) {
  fOnProgress = std::move(onProgress);
  CreateHandle({.name = L"TRptProgressNotices"}, {.caption = L"", .parent = HWND_MESSAGE});
}

LRESULT TRptProgressForm::TNoticeWindow::HandleMessage(UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
  if (message == WM_REPORT_PROGRESS && fOnProgress) {
    fOnProgress();
    return 0;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

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
    case DM_GETDEFID:
      // The dialog manager asks this on Enter and Tab (the progress notice's number, which
      // goes to the notice window instead): Cancel is the default button, so Enter cancels.
      return MAKELRESULT(IDCANCEL, DC_HASDEFID);
    case WM_CLOSE:  // closing the window asks for a cancel, as the button does
      fPrinter.RequestCancel();
      return 0;
    default:
      return TWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace ormind
