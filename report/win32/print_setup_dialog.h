#pragma once
// The report's print setup: the print dialog on the program's shared printer, preset from the
// report, and the report's settings from the user's answer.
#include "report/win32/windows_api.h"

#include "report/printer/printer.h"
#include "report/model/report.h"
#include "report/win32/win32_printer_device.h"

namespace ormind {

// Runs print setup for `report`, whose preview shows `pagePrinter` (null: none). Returns false
// when the user cancelled; nothing is changed then. Raises ERptError "Operation not supported
// on selected printer" when the printer has no device mode to carry copies and orientation.
bool RunReportPrintSetup(TCustomReport& report, const TRptPrinter* pagePrinter,
                         TRptWin32PrinterDevice& sharedPrinter, HWND owner);

}  // namespace ormind
