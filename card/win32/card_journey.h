#pragma once
// Everything the greeting card needs on Windows, made once with the program: the card page with
// its built-in background, the report's hidden window, the preview and print operations on the
// system's printers, and the greeting editor that fills the card.
#include <windows.h>

#include <memory>
#include <string>

#include "card/greeting_page.h"
#include "card/win32/greeting_editor.h"
#include "report/win32/report_window.h"
#include "core/interface_texts.h"
#include "report/printer/report_printing.h"
#include "report/win32/emf_recorder.h"
#include "report/win32/gdi_canvas.h"
#include "report/win32/message_port.h"
#include "report/win32/win32_printer_device.h"

namespace ormind {

class TCardJourney {
 public:
  // `host`: what the editor's skinned window needs of the program; `printPicture`: the setting
  // naming the card's background picture (UTF-8; empty: none).
  TCardJourney(const TSkinHost& host, const std::string& printPicture);
  ~TCardJourney();
  TCardJourney(const TCardJourney&) = delete;
  TCardJourney& operator=(const TCardJourney&) = delete;

  // Creates the windows, hidden.
  void Create();
  void ApplyTexts(const InterfaceTexts& texts) { Form2.ApplyTexts(texts); }
  // Shows the editor modally over `owner`; returns when it is closed.
  void ShowEditor(HWND owner) { Form2.ShowModal(owner); }

 private:
  TRptPrintingPlatform PrintingPlatform();
  void PrintSetup(TRptPrinter& printer, TCustomReport& report);

  HWND owner_;  // the program's hidden window: owns the print dialog when no preview does, and messages
  TRptScreenCanvas reference_;
  // The program's shared printer, which the print dialog starts from; made at its first use.
  std::unique_ptr<TRptWin32PrinterDevice> sharedPrinter_;
  TRptEmfRecorder recorder_;
  TRptWin32MessagePort messages_;
  TRptReportWindow reportWindow_;

 public:
  TReport1 Report1;

 private:
  TRptReportPrinting printing_;

 public:
  TForm2 Form2;
};

// The engine's start-up choices read from this system (measurement, screen colours, the default
// printer's paper).
TRptEngineSettings SystemReportSettings();

}  // namespace ormind
