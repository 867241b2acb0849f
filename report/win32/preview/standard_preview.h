#pragma once
// TRptStandardPreview: the print preview window. A toolbar (zoom, pages, printer set-up and
// print, save and load, Close), the page area (TRptPreview) and a status bar with the progress
// and "Page n of m". It is not modal, and frees itself when it is closed.
//
// Closing while one of the window's own operations runs (a print of loaded pages, a file
// dialog, a zoom that lets messages through) only records the close and a cancel: the
// operation ends first, and the window closes when it has.
#include <cstdint>
#include <string>

#include "platform/handles.h"
#include "platform/standard_controls.h"
#include "platform/status_bar.h"
#include "platform/toolbar.h"
#include "platform/window.h"
#include "report/win32/preview/rules/preview_layout.h"
#include "report/win32/preview/preview.h"

namespace ormind {

class TRptPrinter;

class TRptStandardPreview final : public TWindow {
 public:
  // Toolbar button ids.
  enum : int {
    ZoomFit = 101, Zoom100, ZoomToWidth, FirstPage, PreviousPage, ToolButton2, LastPage,
    PrintSetup, Print, SaveReport, LoadReport, ExitButtonId
  };

  // Creates the window (hidden) owned by `owner`, showing `printer`.
  TRptStandardPreview(HWND owner, TRptPrinter* printer);
  ~TRptStandardPreview() override;

  // Shows the window non-modally, in front, and writes the page information.
  void Show();
  void ShowPageInfo();

  // The handlers (also what the keys run).
  void ZoomToFitClick();
  void ZoomTo100Click();
  void ZoomToWidthClick();
  void FirstPageClick();
  void PrevPageClick();
  void NextPageClick();
  void LastPageClick();
  void PrintClick();
  void PrintSetupClick();
  void SaveClick();
  void LoadClick();
  void ExitClick();
  // True when the key was one of the window's.
  bool FormKeyDown(UINT key, uint32_t modifiers);

  TRptPreview RptPreview;
  TToolBar ToolBar1;
  TStatusBar StatusBar;
  TPushButton ExitButton;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override { delete this; }
  TRptPrinter* Printer() const { return RptPreview.Printer(); }
  void CreateToolBar(UINT dpi);  // its glyphs and buttons for the window's DPI
  ControlBounds ExitButtonBounds(UINT dpi) const;
  void RescaleTo(UINT dpi);      // the toolbar, Close button and status panels for a new DPI
  void ArrangeControls();
  void OnToolButton(int id);
  void RptPreviewPageAvailable(int32_t pageNum);
  void RptPreviewProgressUpdate(int32_t progress);
  void UpdateButtons();
  void FormClose();
  void CloseWhenIdle();
  void LoadFile(const std::string& path);
  void SetProgressText(const std::string& text);

  BitmapHandle fGlyphs;
  TRptProgressStatus fShownProgress;
  TRptKeyRouter fKeys;         // keys that reach the frame itself (nothing has the focus)
  int32_t fRunning = 0;        // the window's own operations in progress
  bool fClosePending = false;  // a close that waits for them
  friend class TRptWindowOperation;
};

}  // namespace ormind
