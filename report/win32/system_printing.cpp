#include "report/win32/system_printing.h"

#include <memory>

#include "platform/message_loop.h"
#include "report/win32/progress_form.h"
#include "report/win32/win32_printer_device.h"

namespace ormind {

TRptPrintingPlatform SystemPrintingPlatform(TRptPageRecorder& recorder, TRptMessagePort& messages) {
  TRptPrintingPlatform platform;
  platform.MakeDevice = [] { return std::make_unique<TRptWin32PrinterDevice>(); };
  platform.Recorder = &recorder;
  platform.Messages = &messages;
  platform.HandleOneMessage = [] { return HandleOneMessage(); };
  platform.ClosePreview = [](TRptPrinter& printer) {
    const HWND notices = reinterpret_cast<HWND>(printer.NotifyTarget());
    if (notices != nullptr && IsWindow(notices)) {
      PostMessageW(GetAncestor(notices, GA_ROOT), WM_CLOSE, 0, 0);
    }
  };
  platform.ShowProgress = [](TRptPrinter& printer, TRptWindowRef owner) {
    const HWND window = reinterpret_cast<HWND>(owner);
    const HWND root = window != nullptr && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    auto form = std::make_shared<TRptProgressForm>(printer, root);
    printer.SetNotifyTarget(form->NoticeTarget());
    form->Show();
    return std::shared_ptr<void>(form);
  };
  return platform;
}

}  // namespace ormind
