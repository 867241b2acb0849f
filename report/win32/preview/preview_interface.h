#pragma once
// How the page printer opens a preview window without knowing its class: a factory whose
// class is named by one process-wide reference.
#include <windows.h>

#include <memory>

namespace ormind {

class TRptPrinter;
class TWindow;

class TRptPreviewInterface {
 public:
  virtual ~TRptPreviewInterface() = default;
  // The window shown for `printer`; the base class shows none.
  virtual TWindow* ShowPreview(TRptPrinter& printer);
  virtual TWindow* ShowPreviewModal(TRptPrinter& printer);
};

// Opens a TRptStandardPreview owned by the application's window.
class TRptStandardPreviewInterface final : public TRptPreviewInterface {
 public:
  TWindow* ShowPreview(TRptPrinter& printer) override;
  // Returns when the window has closed (the window is gone then: the result is null).
  TWindow* ShowPreviewModal(TRptPrinter& printer) override;
};

// The factory class the page printer uses: makes one factory object.
using TRptPreviewInterfaceClass = std::unique_ptr<TRptPreviewInterface> (*)();
extern TRptPreviewInterfaceClass RptPreviewInterfaceClass;

// The window that owns preview windows (the application's hidden window); null: none.
void SetRptPreviewOwner(HWND owner);
HWND RptPreviewOwner();

// Opens the preview of `printer` through the registered factory (made for the call and freed
// after it) and returns the window.
TWindow* OpenRptPreview(TRptPrinter& printer);

// Makes `printer`'s preview operation open the window through the factory.
void InstallRptPreviewHook(TRptPrinter& printer);

}  // namespace ormind
