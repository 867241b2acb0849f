#include "report/win32/print_dialog.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "report/pages/error.h"

namespace ormind {
namespace {

// Both hooks are on, as the dialog flags say; they leave every message to the dialog.
UINT_PTR CALLBACK PassThroughHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

// A block handed to the dialog and perhaps replaced by it: the owner takes what came back (the
// dialog frees a block it replaces).
void TakeAnswerBlock(GlobalHandle& owner, HGLOBAL answer) {
  if (answer == owner.Get()) return;
  (void)owner.Release();
  owner.Reset(answer);
}

// Disables the thread's enabled top-level windows for a scope, so that nothing but the dialog
// takes input; each comes back enabled at the end.
class TaskWindowsDisabled {
 public:
  explicit TaskWindowsDisabled(HWND keep) : fKeep(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
  }
  ~TaskWindowsDisabled() {
    for (HWND window : fDisabled) EnableWindow(window, TRUE);
  }
  TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
  TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self) {
    auto* scope = reinterpret_cast<TaskWindowsDisabled*>(self);
    if (window != scope->fKeep && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      scope->fDisabled.push_back(window);
    }
    return TRUE;
  }

  HWND fKeep;
  std::vector<HWND> fDisabled;
};

}  // namespace

GlobalHandle MakeDeviceNames(const std::wstring& device, const std::wstring& port) {
  const std::wstring driver = L"winspool";
  const size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);  // offsets count characters
  const size_t total = header + driver.size() + 1 + device.size() + 1 + port.size() + 1;
  GlobalHandle block(GlobalAlloc(GHND, total * sizeof(wchar_t)));
  const GlobalLocked<wchar_t> text(block.Get());
  if (text.Get() == nullptr) return GlobalHandle();
  auto* names = reinterpret_cast<DEVNAMES*>(text.Get());
  size_t at = header;
  for (const auto& [value, offset] : {std::pair{&driver, &names->wDriverOffset},
                                      std::pair{&device, &names->wDeviceOffset},
                                      std::pair{&port, &names->wOutputOffset}}) {
    *offset = static_cast<WORD>(at);
    std::memcpy(text.Get() + at, value->c_str(), (value->size() + 1) * sizeof(wchar_t));
    at += value->size() + 1;
  }
  names->wDefault = 0;
  return block;
}

std::string PrintDialogFailure(DWORD extendedError) {
  char text[64];
  std::snprintf(text, sizeof text, "The print dialog failed (error 0x%lX)",
                static_cast<unsigned long>(extendedError));
  return text;
}

DWORD TRptPrintDialog::Flags() const {
  DWORD flags = static_cast<DWORD>(PrintRange) | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  if (Collate) flags |= PD_COLLATE;
  if (PrintToFile) flags |= PD_PRINTTOFILE;
  if (!(Options & poPrintToFile)) flags |= PD_HIDEPRINTTOFILE;
  if (!(Options & poPageNums)) flags |= PD_NOPAGENUMS;
  if (!(Options & poSelection)) flags |= PD_NOSELECTION;
  if (Options & poDisablePrintToFile) flags |= PD_DISABLEPRINTTOFILE;
  if (Options & poHelp) flags |= PD_SHOWHELP;
  if (!(Options & poWarning)) flags |= PD_NOWARNING;
  return flags;
}

bool TRptPrintDialog::Execute(HWND owner) {
  GlobalHandle mode = fPrinter.CopyDeviceMode();
  GlobalHandle names = MakeDeviceNames(fPrinter.Device(), fPrinter.Port());
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = mode.Get();
  dialog.hDevNames = names.Get();
  dialog.Flags = Flags();
  dialog.nFromPage = static_cast<WORD>(FromPage);
  dialog.nToPage = static_cast<WORD>(ToPage);
  dialog.nMinPage = static_cast<WORD>(MinPage);
  dialog.nMaxPage = static_cast<WORD>(MaxPage);
  dialog.nCopies = static_cast<WORD>(Copies);
  dialog.lpfnPrintHook = PassThroughHook;
  dialog.lpfnSetupHook = PassThroughHook;
  bool accepted = false;
  {
    const TaskWindowsDisabled disabled(owner);
    accepted = PrintDlgW(&dialog) != FALSE;
  }
  const DWORD failure = accepted ? 0 : CommDlgExtendedError();
  TakeAnswerBlock(mode, dialog.hDevMode);
  TakeAnswerBlock(names, dialog.hDevNames);
  // Both blocks are freed by their owners. Cancel has no extended error; anything else is a
  // failure the user is told of, not a Cancel.
  if (failure != 0) throw ERptError(PrintDialogFailure(failure));
  if (!accepted) return false;

  std::wstring device;
  {
    const GlobalLocked<wchar_t> text(names.Get());
    if (text.Get() != nullptr) {
      const auto* header = reinterpret_cast<const DEVNAMES*>(text.Get());
      const size_t room = GlobalSize(names.Get()) / sizeof(wchar_t);
      const size_t at = header->wDeviceOffset;
      if (at < room) device.assign(text.Get() + at, wcsnlen(text.Get() + at, room - at));
    }
  }
  if (!device.empty()) fPrinter.TakeDevice(device, std::move(mode));
  ReadAnswer(dialog);
  return true;
}

void TRptPrintDialog::ReadAnswer(const PRINTDLGW& answer) {
  Collate = (answer.Flags & PD_COLLATE) != 0;
  PrintToFile = (answer.Flags & PD_PRINTTOFILE) != 0;
  PrintRange = (answer.Flags & PD_SELECTION) ? 1 : (answer.Flags & PD_PAGENUMS) ? 2 : 0;
  FromPage = answer.nFromPage;
  ToPage = answer.nToPage;
  TRptDeviceMode mode;
  // One copy in the dialog may mean the driver keeps the count in its own mode.
  if (answer.nCopies == 1 && fPrinter.ReadDeviceMode(mode)) {
    Copies = mode.Copies;
  } else {
    Copies = answer.nCopies;
  }
}

}  // namespace ormind
