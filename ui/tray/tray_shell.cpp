#include "ui/tray/tray_shell.h"

namespace ormind {
namespace {

class SystemShell final : public TrayShell {
 public:
  bool Notify(DWORD message, const NOTIFYICONDATAW& record) override {
    return Shell_NotifyIconW(message, const_cast<NOTIFYICONDATAW*>(&record)) != FALSE;
  }
};

}  // namespace

TrayShell& SystemTrayShell() {
  static SystemShell shell;
  return shell;
}

}  // namespace ormind
