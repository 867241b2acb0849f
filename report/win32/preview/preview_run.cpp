#include "report/win32/preview/preview_run.h"

#include <windows.h>

#include <exception>

#include "platform/message_box_sink.h"
#include "platform/message_loop.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "report/printer/printer.h"
#include "report/win32/preview/preview_interface.h"
#include "report/win32/preview/standard_preview.h"
#include "report/win32/message_port.h"

namespace ormind {

bool RunPreviewLoop(const std::function<bool()>& previewing) {
  while (previewing()) {
    if (!HandleOneMessage()) return false;
  }
  return true;
}

void RunRptPreview(TRptPrinter& printer, const std::function<void()>& generate,
                   const std::function<bool()>& previewing) {
  InstallRptPreviewHook(printer);
  printer.OpenPreview();
  generate();
  RunPreviewLoop(previewing);
}

int ShowReportFileAlone(const std::string& path, std::unique_ptr<TRptPrinterDevice> device,
                        TRptPageRecorder& recorder) {
  const HWND owner = RptPreviewOwner();
  if (GetFileAttributesW(Utf8ToWide(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowMessageBox(owner, "File does not exist");
    return 1;
  }
  TRptWin32MessagePort messages(owner);
  TRptPrinter printer(std::move(device), recorder, messages);
  try {
    LoadReportFile(printer, path);
  } catch (const std::exception& error) {
    ShowMessageBox(owner, error.what());
    return 1;
  }
  auto* window = dynamic_cast<TRptStandardPreview*>(OpenRptPreview(printer));
  if (window == nullptr) return 1;
  // The pages are there already: show the first one as wide as the pressed zoom button says.
  window->RptPreview.FitWidth();
  const HWND handle = window->Handle();
  // The window frees itself when closed; the printer goes after it.
  RunPreviewLoop([handle] { return IsWindow(handle) != FALSE; });
  return 0;
}

}  // namespace ormind
