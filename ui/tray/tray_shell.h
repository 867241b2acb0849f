#pragma once
// The shell's notification area as the tray icon sees it: one call taking the notify record,
// and the shell's version, which tells the record it reads. Tests put a recording shell in its
// place.
#include <windows.h>
#include <shellapi.h>

#include "ui/tray/rules/balloon_style.h"

namespace ormind {

class TrayShell {
 public:
  virtual ~TrayShell() = default;
  // NIM_ADD, NIM_MODIFY or NIM_DELETE with the record; true when the shell accepted it.
  virtual bool Notify(DWORD message, const NOTIFYICONDATAW& record) = 0;
  virtual ShellVersion Version() const = 0;
};

// The system's notification area (Shell_NotifyIconW; the version from shell32's DllGetVersion).
TrayShell& SystemTrayShell();

}  // namespace ormind
