#pragma once
// The report stream: the bytes of the page list (header and page records), kept in memory while
// small and moved to a temporary file once it grows past its threshold, or opened read-only on
// a saved report file. Every operation holds the stream's re-entrant lock.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "report/pages/file.h"

namespace ormind {

class TRptStream {
 public:
  // What the page printer uses for the pages it records.
  static constexpr int32_t kDefaultSpillThreshold = 100000;

  // Resident and empty; spills to a temporary file once its size exceeds `threshold`.
  static std::unique_ptr<TRptStream> CreateInMemory(int32_t threshold);
  // Read-only on an existing file, which stays on disk when the stream is destroyed.
  // Throws ERptError "Cannot open file ..." when it cannot be opened.
  static std::unique_ptr<TRptStream> OpenExisting(const std::string& path);

  ~TRptStream();
  TRptStream(const TRptStream&) = delete;
  TRptStream& operator=(const TRptStream&) = delete;

  // Both return the number of bytes transferred (fewer at the end, 0 when read-only).
  size_t Read(void* buffer, size_t count);
  size_t Write(const void* buffer, size_t count);
  // Positions may lie past the end; reading there returns 0 bytes.
  void Seek(int64_t position);
  int64_t Position();
  int64_t Size();

  // Copies the whole stream to `destination` in 10240-byte steps; the position ends at the end.
  void CopyTo(TRptFile& destination);

  // Reads exactly `count` bytes or throws the given complaint as ERptError.
  void ReadExactly(void* buffer, size_t count, const char* complaint);
  // Writes exactly `count` bytes or throws ERptError.
  void WriteExactly(const void* buffer, size_t count);

  void Acquire() { fLock.lock(); }
  void Release() { fLock.unlock(); }

  bool Resident() const { return fResident; }
  bool ReadOnly() const { return fFile && fFile->ReadOnly(); }
  const std::string& SpillFileName() const { return fSpillFileName; }
  // The file the stream reads and writes, empty while resident.
  std::string FilePath() const { return fFile ? fFile->Path() : std::string(); }

 private:
  TRptStream() = default;
  void SpillToFile();

  std::recursive_mutex fLock;
  std::vector<uint8_t> fMemory;
  int64_t fMemoryPosition = 0;
  std::string fSpillFileName;
  std::unique_ptr<TRptFile> fFile;
  bool fResident = true;
  int32_t fSpillThreshold = 0;
};

// Holds a stream's lock for a scope.
class TRptStreamLock {
 public:
  explicit TRptStreamLock(TRptStream& stream) : fStream(stream) { fStream.Acquire(); }
  ~TRptStreamLock() { fStream.Release(); }
  TRptStreamLock(const TRptStreamLock&) = delete;
  TRptStreamLock& operator=(const TRptStreamLock&) = delete;

 private:
  TRptStream& fStream;
};

}  // namespace ormind
