#include "ui/tray/tray_shell.h"

#include <shlwapi.h>

namespace ormind {
namespace {

// shell32's version; a shell32 without DllGetVersion is older than any that shows
// notifications (4.0).
ShellVersion Shell32Version() {
  ShellVersion version{4, 0, 0};
  HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
  if (!shell32) return version;
  const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(shell32, "DllGetVersion")));
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (getVersion && SUCCEEDED(getVersion(&info)))
    version = {int(info.dwMajorVersion), int(info.dwMinorVersion), int(info.dwBuildNumber)};
  return version;
}

class SystemShell final : public TrayShell {
 public:
  bool Notify(DWORD message, const NOTIFYICONDATAW& record) override {
    return Shell_NotifyIconW(message, const_cast<NOTIFYICONDATAW*>(&record)) != FALSE;
  }
  ShellVersion Version() const override {
    static const ShellVersion version = Shell32Version();
    return version;
  }
};

}  // namespace

TrayShell& SystemTrayShell() {
  static SystemShell shell;
  return shell;
}

}  // namespace ormind
