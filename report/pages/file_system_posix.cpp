// POSIX side of the page store's file system needs.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "report/pages/error.h"
#include "report/pages/file_system.h"

namespace ormind {
namespace {

// `shownName` is the file the user asked for, named in the message when this fails.
// `ordinaryMode`: the file will become a user's file, so it gets the permissions a newly
// created file would have rather than the private ones of a temporary file.
std::string MakeUniqueFile(const std::string& folder, const std::string& stem,
                           const std::string& shownName, bool ordinaryMode) {
  std::string pattern = folder + "/" + stem + "XXXXXX.tmp";
  const int fd = mkstemps(pattern.data(), 4);
  if (fd < 0)
    throw ERptError("Cannot create file \"" + (shownName.empty() ? pattern : shownName) +
                    "\". " + std::strerror(errno));
  if (ordinaryMode) {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
  }
  close(fd);
  return pattern;
}

}  // namespace

std::FILE* OpenSpillFile(std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  name = MakeUniqueFile(tmp && *tmp ? tmp : "/tmp", "ORP", "", false);
  std::FILE* file = std::fopen(name.c_str(), "w+b");
  // The lock tells SweepStaleSpillFiles of another running copy that this file is in use.
  if (file && flock(fileno(file), LOCK_EX | LOCK_NB) != 0) {
    std::fclose(file);
    file = nullptr;
  }
  if (!file) {
    const int code = errno;
    unlink(name.c_str());
    throw ERptError("Cannot create file \"" + name + "\". " + std::strerror(code));
  }
  return file;
}

// A file no process holds locked was left by a run that ended without deleting it.
void SweepStaleSpillFiles() {
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder = tmp && *tmp ? tmp : "/tmp";
  DIR* listing = opendir(folder.c_str());
  if (!listing) return;
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.size() < 7 || name.substr(0, 3) != "ORP" || name.substr(name.size() - 4) != ".tmp")
      continue;
    const std::string path = folder + "/" + std::string(name);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(path.c_str());
    close(fd);
  }
  closedir(listing);
}

std::string MakeSiblingTempFile(const std::string& target) {
  const auto slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  return MakeUniqueFile(folder.empty() ? "/" : folder, "." + name + ".", target, true);
}

void ReplaceFileWith(const std::string& source, const std::string& target) {
  // A replaced file keeps the permissions it had.
  struct stat existing;
  if (stat(target.c_str(), &existing) == 0) chmod(source.c_str(), existing.st_mode & 07777);
  if (std::rename(source.c_str(), target.c_str()) != 0)
    throw ERptError("Cannot create file \"" + target + "\". " + std::strerror(errno));
}

void DeleteFileQuietly(const std::string& path) {
  if (!path.empty()) unlink(path.c_str());
}

std::FILE* OpenFileStream(const std::string& path, bool readOnly) {
  return std::fopen(path.c_str(), readOnly ? "rb" : "w+b");
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first{}, second{};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace ormind
