#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>

#include "platform/system_services.h"

namespace ormind {
namespace {

bool StartsWithRu(const char* value) { return std::string_view(value).substr(0, 2) == "ru"; }

// Writes all of `bytes`, retrying short writes.
bool WriteAllTo(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A file counts as read-only when nobody may write it, as the read-only attribute of a
// Windows file would say (this also holds for root, who could write it anyway).
bool IsReadOnly(const struct stat& st, const std::string& path) {
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::optional<std::string> SystemEnvironment::AppData() const {
  const char* value = std::getenv("APPDATA");
  if (!value) return std::nullopt;
  return std::string(value);
}

// The first of LC_ALL, LC_MESSAGES and LANG that is set decides: Russian or English.
int32_t SystemEnvironment::SystemLocale() const {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return StartsWithRu(value) ? 1049 : 1033;
  }
  return 1033;
}

int SystemEnvironment::AnsiCodePage() const { return SystemLocale() == 1049 ? 1251 : 1252; }

Day SystemClock::Today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return DayFromDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

bool SystemFileSystem::IsRegularFile(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> SystemFileSystem::ReadAll(const std::string& path) const {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok) {
    // Read what the size promises, then whatever the file has grown by since.
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (ok) {
      if (done == bytes.size()) {
        char more[4096];
        const ssize_t n = ::read(fd, more, sizeof more);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(more, static_cast<size_t>(n));
        done = bytes.size();
        continue;
      }
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    bytes.resize(done);
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

bool SystemFileSystem::ReadPieces(const std::string& path,
                                  const std::function<void(std::string_view)>& consume) const {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  constexpr size_t kPiece = 64 * 1024;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece);
  while (ok) {
    const ssize_t n = ::read(fd, buffer.get(), kPiece);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    consume(std::string_view(buffer.get(), static_cast<size_t>(n)));
  }
  ::close(fd);
  return ok;
}

void SystemFileSystem::ReplaceAll(const std::string& path, const std::string& bytes) {
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && (!S_ISREG(st.st_mode) || IsReadOnly(st, path))) throw IniWriteError(path);
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw IniWriteError(path);
  const bool ok = WriteAllTo(fd, bytes) &&
                  ::fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode()) == 0 &&
                  ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    throw IniWriteError(path);
  }
}

std::string SystemEnvironment::ProgramFolder() const {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) return {};
  path.resize(static_cast<size_t>(length));
  return path.substr(0, path.find_last_of('/') + 1);
}

bool SystemFileSystem::CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SystemFileSystem::CreateNewFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode());
  if (fd < 0) return false;
  const bool written = WriteAllTo(fd, bytes);
  if (::close(fd) == 0 && written) return true;
  ::unlink(path.c_str());  // a cut-off copy would pass for the whole list
  return false;
}

}  // namespace ormind
