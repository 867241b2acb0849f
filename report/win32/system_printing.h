#pragma once
// The report's preview and print operations on this system: page printers on the spooler's
// printers, page pictures recorded by GDI, this thread's message queue, and the progress window
// while a print runs. The preview window and the print dialog are added by whoever shows them.
#include "report/printer/report_printing.h"

namespace ormind {

TRptPrintingPlatform SystemPrintingPlatform(TRptPageRecorder& recorder, TRptMessagePort& messages);

}  // namespace ormind
