#include "report/win32/preview/preview_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/text_encoding.h"

namespace ormind {
namespace {

std::string ReportFilter(const char* opening) {
  return std::string("Report file") + opening + kReportExtension + ")|*." + kReportExtension;
}

// "text|pattern" as the dialog wants it: parts ended by a null, the whole by a second one.
std::wstring DialogFilter(const std::string& filter) {
  std::wstring parts = Utf8ToWide(filter);
  for (wchar_t& c : parts) {
    if (c == L'|') c = L'\0';
  }
  parts.push_back(L'\0');
  return parts;
}

std::optional<std::string> AskReportName(HWND owner, const wchar_t* title,
                                         const std::string& filter, bool saving) {
  const std::wstring filterText = DialogFilter(filter);
  const std::wstring extension = Utf8ToWide(kReportExtension);
  std::vector<wchar_t> name(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filterText.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = title;
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (saving) {
    dialog.lpstrDefExt = extension.c_str();
    // Replacing a file the user did not mean to lose is asked about first.
    dialog.Flags |= OFN_OVERWRITEPROMPT;
  }
  const BOOL chosen = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return WideToUtf8(name.data());
}

}  // namespace

std::string SaveReportFilter() { return ReportFilter("(*."); }
std::string LoadReportFilter() { return ReportFilter(" (*."); }

std::optional<std::string> AskSaveReportName(HWND owner) {
  return AskReportName(owner, L"Save report", SaveReportFilter(), true);
}

std::optional<std::string> AskLoadReportName(HWND owner) {
  return AskReportName(owner, L"Load report", LoadReportFilter(), false);
}

}  // namespace ormind
