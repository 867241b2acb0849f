#pragma once
// The report's print operation: the report generated once more, straight onto the printer,
// through a fresh page printer of its own (the preview's page printer is never touched), with
// the progress window while it runs.
#include "report/win32/windows_api.h"

#include "report/printer/printer_device.h"
#include "report/model/report.h"

namespace ormind {

enum class TRptPrintOutcome { Printed, Cancelled, AlreadyGenerating, NoPrinter };

// Runs the operation. The report's own settings (printer, paper, orientation, copies, bin,
// range, title) reach the fresh printer through its setters when the run starts. A failure
// during the run ends the document through the report's clean-up and is raised again; the page
// printer and the progress window are freed whatever happens.
TRptPrintOutcome PrintReportOnPrinter(TCustomReport& report, TRptPageRecorder& recorder,
                                      TRptMessagePort& messages);

}  // namespace ormind
