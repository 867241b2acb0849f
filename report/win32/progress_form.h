#pragma once
// TRptProgressForm: the small window shown while a report prints, with a gauge, a line of text
// and a Cancel button that asks the page printer to stop. It is owned by the window the print
// was started from (so it stays above that window only, and a Save dialog a printer opens for
// its file is not hidden behind it), and it is the page printer's notice target: each progress
// notice moves the gauge.
#include <functional>

#include "platform/standard_controls.h"
#include "platform/window.h"
#include "report/win32/windows_api.h"
#include "report/printer/printer.h"

namespace ormind {

class TRptProgressForm final : public TWindow {
 public:
  // Created hidden, centred on `owner` (on the screen when null), refering to `printer` (which
  // must outlive it).
  explicit TRptProgressForm(TRptPrinter& printer, HWND owner = nullptr);
  ~TRptProgressForm() override;

  void Show();
  // The page printer's notices reach the form here: a message-only window of its own, as the
  // progress notice has the number of a dialog-manager message the form itself answers.
  TRptWindowRef NoticeTarget() const;

  TProgressBar Gauge;
  TStaticText Info;
  TPushButton CancelButton;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class TNoticeWindow final : public TWindow {
   public:
    ~TNoticeWindow() override { DestroyHandle(); }
    void Create(std::function<void()> onProgress);

   protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    std::function<void()> fOnProgress;
  };

  void ProgressChanged();

  TRptPrinter& fPrinter;
  FontHandle fFont;
  TNoticeWindow fNotices;
};

}  // namespace ormind
