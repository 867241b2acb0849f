#include "platform/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text_encoding.h"

namespace ormind {

std::wstring QuotedPath(const std::string& utf8Path) { return L"\"" + Utf8ToWide(utf8Path) + L"\""; }

namespace {
// ShellExecuteW's result is a number above 32 on success.
bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }
}  // namespace

bool OpenInAssociatedProgram(const std::string& utf8Path) {
  const std::wstring quoted = QuotedPath(utf8Path);
  if (Started(ShellExecuteW(nullptr, nullptr, quoted.c_str(), nullptr, nullptr, SW_SHOWNORMAL)))
    return true;
  return Started(
      ShellExecuteW(nullptr, L"open", L"notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL));
}

}  // namespace ormind
