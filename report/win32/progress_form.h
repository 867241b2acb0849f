#pragma once
// TRptProgressForm: the small stay-on-top window shown while a report prints, with a gauge, a
// line of text and a Cancel button that asks the page printer to stop. It is the page
// printer's notice target: each progress notice moves the gauge.
#include "platform/standard_controls.h"
#include "platform/window.h"
#include "report/win32/windows_api.h"
#include "report/printer/printer.h"

namespace ormind {

class TRptProgressForm final : public TWindow {
 public:
  // Created hidden, centred on the screen, refering to `printer` (which must outlive it).
  explicit TRptProgressForm(TRptPrinter& printer);
  ~TRptProgressForm() override;

  void Show();
  // The page printer's notices reach the form here.
  TRptWindowRef NoticeTarget() const;

  TProgressBar Gauge;
  TStaticText Info;
  TPushButton CancelButton;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ProgressChanged();

  TRptPrinter& fPrinter;
  FontHandle fFont;
};

}  // namespace ormind
