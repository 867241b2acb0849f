#pragma once
// The page printer's message queue on Windows: the thread's own queue, window handles as
// notice targets, message boxes titled "Ormind!".
#include <windows.h>

#include "report/printer/printer_device.h"

namespace ormind {

class TRptWindowMessagePort final : public TRptMessagePort {
 public:
  // `owner` owns the message boxes (null: none).
  explicit TRptWindowMessagePort(HWND owner = nullptr) : fOwner(owner) {}
  void ProcessMessages() override;
  void Post(TRptWindowRef target, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void Send(TRptWindowRef target, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void ShowMessage(const std::string& text) override;

 private:
  HWND fOwner;
};

}  // namespace ormind
