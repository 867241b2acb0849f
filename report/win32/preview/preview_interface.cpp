#include "report/win32/preview/preview_interface.h"

#include "platform/message_loop.h"
#include "report/printer/printer.h"
#include "report/win32/preview/standard_preview.h"

namespace ormind {
namespace {

HWND gPreviewOwner = nullptr;

std::unique_ptr<TRptPreviewInterface> MakeStandardPreviewInterface() {
  return std::make_unique<TRptStandardPreviewInterface>();
}

}  // namespace

TRptPreviewInterfaceClass RptPreviewInterfaceClass = &MakeStandardPreviewInterface;

void SetRptPreviewOwner(HWND owner) { gPreviewOwner = owner; }
HWND RptPreviewOwner() { return gPreviewOwner; }

TWindow* TRptPreviewInterface::ShowPreview(TRptPrinter&) { return nullptr; }
TWindow* TRptPreviewInterface::ShowPreviewModal(TRptPrinter&) { return nullptr; }

TWindow* TRptStandardPreviewInterface::ShowPreview(TRptPrinter& printer) {
  auto* window = new TRptStandardPreview(gPreviewOwner, &printer);  // frees itself when closed
  window->Show();
  return window;
}

TWindow* TRptStandardPreviewInterface::ShowPreviewModal(TRptPrinter& printer) {
  auto* window = new TRptStandardPreview(gPreviewOwner, &printer);
  const HWND handle = window->Handle();
  window->Show();
  RunModal(handle, gPreviewOwner);
  return nullptr;
}

TWindow* OpenRptPreview(TRptPrinter& printer) {
  const std::unique_ptr<TRptPreviewInterface> factory = RptPreviewInterfaceClass();
  return factory->ShowPreview(printer);
}

void InstallRptPreviewHook(TRptPrinter& printer) {
  printer.SetPreviewHook([](TRptPrinter& p) { OpenRptPreview(p); });
}

}  // namespace ormind
