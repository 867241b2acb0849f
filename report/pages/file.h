#pragma once
// A plain binary file with 64-bit positions, opened by UTF-8 path on every platform.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace ormind {

class TRptFile {
 public:
  enum class Mode { ReadOnly, Create };  // Create: create or overwrite, read and write

  // Throws ERptError "Cannot open file "<path>". <reason>" (ReadOnly) or
  // "Cannot create file "<path>". <reason>" (Create).
  TRptFile(const std::string& path, Mode mode);
  // Takes over a stream already open for reading and writing (a temporary file made by the
  // platform, see OpenSpillFile).
  TRptFile(std::FILE* open, const std::string& path);
  ~TRptFile();
  TRptFile(const TRptFile&) = delete;
  TRptFile& operator=(const TRptFile&) = delete;

  // Both return the number of bytes actually transferred.
  size_t Read(void* buffer, size_t count);
  size_t Write(const void* buffer, size_t count);
  void Seek(int64_t position);
  int64_t Position();
  int64_t Size();
  // Flushes and closes; throws ERptError "Cannot write file ..." when buffered data cannot be
  // written. The destructor closes quietly.
  void Close();

  const std::string& Path() const { return fPath; }
  bool ReadOnly() const { return fReadOnly; }

 private:
  std::FILE* fHandle = nullptr;
  std::string fPath;
  bool fReadOnly;
  bool fWriting = false;  // last operation was a write (C streams need a seek between the two)
};

}  // namespace ormind
