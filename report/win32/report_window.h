#pragma once
// The report's hidden window: the page printers of a report post WM_REPORT_PRINT to it (the
// preview's Print) and send WM_REPORT_PREVIEW_CLOSED (the preview closes, lParam naming the
// printer), and it passes both on to the report's printing operations.
#include "platform/window.h"
#include "report/printer/report_printing.h"

namespace ormind {

class TRptReportWindow final : public TWindow {
 public:
  TRptReportWindow() = default;
  ~TRptReportWindow() override { DestroyHandle(); }
  // A message-only window: never shown, never enumerated.
  void Create();
  TRptWindowRef Ref() const { return reinterpret_cast<TRptWindowRef>(Handle()); }
  // The operations the notices go to (set once they exist, as they need this window first).
  void SetPrinting(TRptReportPrinting* printing) { printing_ = printing; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  TRptReportPrinting* printing_ = nullptr;
};

}  // namespace ormind
