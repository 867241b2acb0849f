// POSIX side of the page store's file system needs.
#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

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

std::string MakeSpillFileName() {
  const char* tmp = std::getenv("TMPDIR");
  return MakeUniqueFile(tmp && *tmp ? tmp : "/tmp", "ORP", "", false);
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
