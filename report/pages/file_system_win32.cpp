// Windows side of the page store's file system needs.
#include <windows.h>

#include <string>

#include "report/pages/error.h"
#include "report/pages/file_system.h"
#include "platform/file_replace.h"
#include "platform/handles.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const LocalMemory owned(text);
  std::string message = text ? WideToUtf8(text) : "Error " + std::to_string(code);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
    message.pop_back();
  return message;
}

// GetTempFileNameW creates the empty file itself, which reserves the name.
// `shownName` is the file the user asked for, named in the message when this fails.
std::string UniqueFileIn(const std::wstring& folder, const wchar_t* prefix,
                         const std::string& shownName) {
  wchar_t name[MAX_PATH + 1];
  if (GetTempFileNameW(folder.c_str(), prefix, 0, name) == 0) {
    const DWORD code = GetLastError();
    throw ERptError("Cannot create file \"" +
                    (shownName.empty() ? WideToUtf8(folder) : shownName) + "\". " +
                    SystemMessage(code));
  }
  return WideToUtf8(name);
}

}  // namespace

std::string MakeSpillFileName() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  if (n == 0 || n > MAX_PATH) throw ERptError("Cannot find the temporary folder");
  return UniqueFileIn(folder, L"ORP", "");
}

std::string MakeSiblingTempFile(const std::string& target) {
  const auto slash = target.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  return UniqueFileIn(Utf8ToWide(folder), L"ORP", target);
}

void ReplaceFileWith(const std::string& source, const std::string& target) {
  const ReplaceOutcome outcome = ReplaceFileRetrying(Utf8ToWide(source), Utf8ToWide(target));
  if (outcome.code == 0) return;
  const std::string message =
      "Cannot create file \"" + target + "\". " + SystemMessage(outcome.code);
  if (outcome.newFileIsOnlyCopy)
    throw ERptNewFileKept(message + " The report is kept in \"" + source + "\".");
  throw ERptError(message);
}

void DeleteFileQuietly(const std::string& path) {
  if (!path.empty()) DeleteFileW(Utf8ToWide(path).c_str());
}

}  // namespace ormind
