#pragma once
// The preview operation on Windows: the window is opened before the pages are made, the pages
// are made on this thread, and messages are handled one at a time until the window closes.
#include <functional>
#include <memory>
#include <string>

namespace ormind {

class TRptPrinter;
class TRptPrinterDevice;
class TRptPageRecorder;

// Handles one message at a time (waiting for each) while `previewing()` holds. False when the
// program was asked to quit meanwhile (the request is kept for the main loop).
bool RunPreviewLoop(const std::function<bool()>& previewing);

// The report's preview: opens the preview window through the registered factory, runs
// `generate` (which fills the printer's pages), then handles messages while `previewing()`
// holds. `previewing` must not touch the printer once its owner has released it (the owner
// answers the close notice by releasing it).
void RunRptPreview(TRptPrinter& printer, const std::function<void()>& generate,
                   const std::function<bool()>& previewing);

// Shows a saved report file alone in a preview window, until the window is closed. A missing
// file shows "File does not exist", a bad one its error; both return 1. Returns 0 otherwise.
int ShowReportFileAlone(const std::string& path, std::unique_ptr<TRptPrinterDevice> device,
                        TRptPageRecorder& recorder);

}  // namespace ormind
