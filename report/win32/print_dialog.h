#pragma once
// TRptPrintDialog: the system print dialog on a printer device. The dialog edits a copy of the
// printer's device mode and device names (movable memory the dialog may replace; both have
// owners); on OK the chosen device and mode go back to the printer.
#include "report/win32/windows_api.h"
#include <commdlg.h>

#include <cstdint>

#include "report/win32/win32_printer_device.h"

namespace ormind {

// Option bits of TRptPrintDialog::Options.
enum TRptPrintDialogOption : uint32_t {
  poPrintToFile = 1,      // print to file offered
  poPageNums = 2,         // page numbers allowed
  poSelection = 4,        // selection allowed
  poWarning = 8,          // warnings shown
  poHelp = 16,            // help button
  poDisablePrintToFile = 32,
};

class TRptPrintDialog {
 public:
  explicit TRptPrintDialog(TRptWin32PrinterDevice& printer) : fPrinter(printer) {}

  bool Collate = false;
  int32_t Copies = 1;
  int32_t FromPage = 0, ToPage = 0, MinPage = 0, MaxPage = 0;
  uint32_t Options = 0;
  bool PrintToFile = false;
  int32_t PrintRange = 0;  // 0 all, 1 selection, 2 page numbers

  // The dialog's flags for the current properties.
  DWORD Flags() const;
  // Runs the dialog owned by `owner`, with the program's other windows disabled meanwhile.
  // True when the user pressed OK, false on Cancel; a dialog that fails raises ERptError with
  // PrintDialogFailure's text.
  bool Execute(HWND owner);

 private:
  void ReadAnswer(const PRINTDLGW& answer);

  TRptWin32PrinterDevice& fPrinter;
};

// A device-names block for `device`, "winspool" and `port` (offsets in characters from the
// block's start, as the dialog expects).
// What the user is told when the print dialog fails: its extended error (CommDlgExtendedError)
// in hexadecimal, "The print dialog failed (error 0x1008)".
std::string PrintDialogFailure(DWORD extendedError);

GlobalHandle MakeDeviceNames(const std::wstring& device, const std::wstring& port);

}  // namespace ormind
