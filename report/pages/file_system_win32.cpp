// Windows side of the page store's file system needs.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
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

std::wstring TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  if (n == 0 || n > MAX_PATH) throw ERptError("Cannot find the temporary folder");
  return folder;
}

}  // namespace

std::FILE* OpenSpillFile(std::string& name) {
  const std::wstring folder = TemporaryFolder();
  // Names from a counter run from a different start in each process, tried until one is new:
  // there is no limit on how many there can be, unlike the system's four-digit names.
  static std::atomic<unsigned> next{GetTickCount() ^ (GetCurrentProcessId() << 16)};
  for (int attempt = 0; attempt < 1000; ++attempt) {
    wchar_t leaf[24];
    swprintf(leaf, 24, L"ORP%08X.tmp", next.fetch_add(0x9E3779B1u));
    const std::wstring path = folder + leaf;
    // No FILE_SHARE_DELETE: another copy's sweep cannot delete the file while it is open.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                              nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
      throw ERptError("Cannot create file \"" + WideToUtf8(path) + "\". " + SystemMessage(code));
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
    std::FILE* stream = descriptor >= 0 ? _fdopen(descriptor, "w+b") : nullptr;
    if (!stream) {
      if (descriptor >= 0) _close(descriptor); else CloseHandle(file);
      throw ERptError("Cannot create file \"" + WideToUtf8(path) + "\"");
    }
    name = WideToUtf8(path);
    return stream;
  }
  throw ERptError("Cannot create file \"" + WideToUtf8(folder) + "ORP*.tmp\"");
}

void SweepStaleSpillFiles() {
  std::wstring folder;
  try {
    folder = TemporaryFolder();
  } catch (const ERptError&) {
    return;
  }
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"ORP*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // Deleting fails for a file a running copy holds open, which keeps it.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
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

std::FILE* OpenFileStream(const std::string& path, bool readOnly) {
  return _wfopen(Utf8ToWide(path).c_str(), readOnly ? L"rb" : L"w+b");
}

bool SameFile(const std::string& a, const std::string& b) {
  // A file is the same when its volume and its index on the volume are.
  const auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.Get() != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file.Get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return identity(a, first) && identity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace ormind
