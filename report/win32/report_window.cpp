#include "report/win32/report_window.h"

namespace ormind {

void TRptReportWindow::Create() {
  CreateHandle({.name = L"TRptReportWindow"}, {.caption = L"", .parent = HWND_MESSAGE});
}

LRESULT TRptReportWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (printing_ != nullptr) {
    switch (message) {
      case WM_REPORT_PRINT:
        printing_->PrintToPrinter();
        return 0;
      case WM_REPORT_PREVIEW_CLOSED:
        printing_->PreviewClosed(reinterpret_cast<const TRptPrinter*>(lParam));
        return 0;
    }
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
