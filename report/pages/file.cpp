#include "report/pages/file.h"

#include <cerrno>
#include <cstring>

#include "report/pages/error.h"
#include "report/pages/file_system.h"

namespace ormind {
namespace {

int SeekTo(std::FILE* f, int64_t position, int origin) {
#ifdef _WIN32
  return _fseeki64(f, position, origin);
#else
  return fseeko(f, static_cast<off_t>(position), origin);
#endif
}

int64_t TellOf(std::FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return static_cast<int64_t>(ftello(f));
#endif
}

}  // namespace

TRptFile::TRptFile(const std::string& path, Mode mode)
    : fPath(path), fReadOnly(mode == Mode::ReadOnly) {
  fHandle = OpenFileStream(path, fReadOnly);
  if (!fHandle) {
    const char* reason = std::strerror(errno);
    throw ERptError(std::string(fReadOnly ? "Cannot open file \"" : "Cannot create file \"") +
                    path + "\". " + reason);
  }
  std::setvbuf(fHandle, nullptr, _IOFBF, 1 << 16);
}

TRptFile::TRptFile(std::FILE* open, const std::string& path)
    : fHandle(open), fPath(path), fReadOnly(false) {
  std::setvbuf(fHandle, nullptr, _IOFBF, 1 << 16);
}

TRptFile::~TRptFile() {
  if (fHandle) std::fclose(fHandle);
}

size_t TRptFile::Read(void* buffer, size_t count) {
  if (count == 0) return 0;
  if (fWriting) {  // switching from writing to reading needs a positioning call
    SeekTo(fHandle, 0, SEEK_CUR);
    fWriting = false;
  }
  return std::fread(buffer, 1, count, fHandle);
}

size_t TRptFile::Write(const void* buffer, size_t count) {
  if (fReadOnly || count == 0) return 0;
  if (!fWriting) {
    SeekTo(fHandle, 0, SEEK_CUR);
    fWriting = true;
  }
  return std::fwrite(buffer, 1, count, fHandle);
}

void TRptFile::Seek(int64_t position) {
  if (position < 0 || SeekTo(fHandle, position, SEEK_SET) != 0)
    throw ERptError("Cannot seek in file \"" + fPath + "\"");
  fWriting = false;
}

int64_t TRptFile::Position() { return TellOf(fHandle); }

int64_t TRptFile::Size() {
  const int64_t here = TellOf(fHandle);
  SeekTo(fHandle, 0, SEEK_END);
  const int64_t size = TellOf(fHandle);
  SeekTo(fHandle, here, SEEK_SET);
  fWriting = false;
  return size;
}

void TRptFile::Close() {
  if (!fHandle) return;
  std::FILE* f = fHandle;
  fHandle = nullptr;
  const bool failed = std::ferror(f) != 0;
  if (std::fclose(f) != 0 || failed) {
    const char* reason = std::strerror(errno);
    throw ERptError("Cannot write file \"" + fPath + "\". " + reason);
  }
}

}  // namespace ormind
