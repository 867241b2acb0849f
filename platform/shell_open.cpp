#include "platform/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text_encoding.h"

namespace ormind {

std::wstring QuotedPath(const std::string& utf8Path) { return L"\"" + Utf8ToWide(utf8Path) + L"\""; }

void OpenInAssociatedProgram(const std::string& utf8Path) {
  ShellExecuteW(nullptr, nullptr, QuotedPath(utf8Path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace ormind
