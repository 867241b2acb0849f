#include <windows.h>

#include <algorithm>
#include <memory>

#include "platform/file_replace.h"
#include "platform/handles.h"
#include "platform/system_services.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

bool WriteAllTo(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace

std::optional<std::string> SystemEnvironment::AppData() const {
  const DWORD needed = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (needed == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(needed, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", value.data(), needed);
  return WideToUtf8(std::wstring_view(value.data(), length));
}

int32_t SystemEnvironment::SystemLocale() const {
  return static_cast<int32_t>(GetSystemDefaultLCID());
}

int SystemEnvironment::AnsiCodePage() const { return static_cast<int>(GetACP()); }

std::string SystemEnvironment::ProgramFolder() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
  return WideToUtf8(path.substr(0, path.find_last_of(L"\\/") + 1));
}

Day SystemClock::Today() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DayFromDate({now.wYear, now.wMonth, now.wDay});
}

bool SystemFileSystem::IsRegularFile(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> SystemFileSystem::ReadAll(const std::string& path) const {
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return std::nullopt;
  // A 32-bit build cannot hold a file of 2 GB or more: refuse it (the caller reports the file
  // as unreadable) rather than read a cut-off piece of it as if it were all.
  if (static_cast<unsigned long long>(size.QuadPart) >= std::string().max_size() / 2)
    return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

bool SystemFileSystem::ReadPieces(const std::string& path,
                                  const std::function<void(std::string_view)>& consume) const {
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return false;
  constexpr DWORD kPiece = 64 * 1024;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer.get(), kPiece, &read, nullptr)) return false;
    if (read == 0) return true;
    consume(std::string_view(buffer.get(), read));
  }
}

void SystemFileSystem::ReplaceAll(const std::string& path, const std::string& bytes) {
  const std::wstring target = Utf8ToWide(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    throw IniWriteError(path);
  const std::wstring temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw IniWriteError(path);
  const bool written = WriteAllTo(file.Get(), bytes) && FlushFileBuffers(file.Get());
  if (!CloseHandle(file.Release()) || !written) {
    DeleteFileW(temp.c_str());
    throw IniWriteError(path);
  }
  const ReplaceOutcome outcome = ReplaceFileRetrying(temp, target);
  if (outcome.code == 0) return;
  if (outcome.newFileIsOnlyCopy) throw IniWriteError(path, WideToUtf8(temp));
  DeleteFileW(temp.c_str());
  throw IniWriteError(path);
}

bool SystemFileSystem::CreateFolder(const std::string& path) {
  const std::wstring folder = Utf8ToWide(path);
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SystemFileSystem::CreateNewFile(const std::string& path, const std::string& bytes) {
  const std::wstring name = Utf8ToWide(path);
  FileHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const bool written = WriteAllTo(file.Get(), bytes);
  if (CloseHandle(file.Release()) && written) return true;
  DeleteFileW(name.c_str());  // a cut-off copy would pass for the whole list
  return false;
}

}  // namespace ormind
