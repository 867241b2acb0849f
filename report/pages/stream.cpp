#include "report/pages/stream.h"

#include <algorithm>
#include <cstring>

#include "report/pages/error.h"
#include "report/pages/file_system.h"

namespace ormind {

using Guard = std::lock_guard<std::recursive_mutex>;

std::unique_ptr<TRptStream> TRptStream::CreateInMemory(int32_t threshold) {
  std::unique_ptr<TRptStream> stream(new TRptStream());
  stream->fSpillThreshold = threshold;
  return stream;
}

std::unique_ptr<TRptStream> TRptStream::OpenExisting(const std::string& path) {
  auto file = std::make_unique<TRptFile>(path, TRptFile::Mode::ReadOnly);
  std::unique_ptr<TRptStream> stream(new TRptStream());
  stream->fFile = std::move(file);
  stream->fResident = false;
  return stream;
}

TRptStream::~TRptStream() {
  Guard guard(fLock);
  fMemory.clear();
  fFile.reset();
  // Only a file this stream created itself is removed; an opened report file has no name here.
  DeleteFileQuietly(fSpillFileName);
}

size_t TRptStream::Read(void* buffer, size_t count) {
  Guard guard(fLock);
  if (!fResident) return fFile->Read(buffer, count);
  const int64_t size = static_cast<int64_t>(fMemory.size());
  if (fMemoryPosition >= size) return 0;
  const size_t n = static_cast<size_t>(std::min<int64_t>(count, size - fMemoryPosition));
  std::memcpy(buffer, fMemory.data() + fMemoryPosition, n);
  fMemoryPosition += static_cast<int64_t>(n);
  return n;
}

size_t TRptStream::Write(const void* buffer, size_t count) {
  Guard guard(fLock);
  if (!fResident) return fFile->Write(buffer, count);
  if (count == 0) return 0;
  const size_t end = static_cast<size_t>(fMemoryPosition) + count;
  if (end > fMemory.size()) fMemory.resize(end);
  std::memcpy(fMemory.data() + fMemoryPosition, buffer, count);
  fMemoryPosition = static_cast<int64_t>(end);
  if (static_cast<int64_t>(fMemory.size()) > static_cast<int64_t>(fSpillThreshold))
    SpillToFile();
  return count;
}

void TRptStream::SpillToFile() {
  std::string name;
  std::FILE* opened = OpenSpillFile(name);
  std::unique_ptr<TRptFile> file;
  try {
    file = std::make_unique<TRptFile>(opened, name);
    if (file->Write(fMemory.data(), fMemory.size()) != fMemory.size())
      throw ERptError("Cannot write file \"" + name + "\"");
    file->Seek(fMemoryPosition);
  } catch (...) {
    file.reset();
    DeleteFileQuietly(name);  // stays resident; nothing is left behind
    throw;
  }
  fSpillFileName = name;  // from here on the destructor removes it
  fFile = std::move(file);
  std::vector<uint8_t>().swap(fMemory);
  fMemoryPosition = 0;
  fResident = false;
}

void TRptStream::Seek(int64_t position) {
  Guard guard(fLock);
  if (position < 0) throw ERptError("Report stream position out of range");
  if (fResident)
    fMemoryPosition = position;
  else
    fFile->Seek(position);
}

int64_t TRptStream::Position() {
  Guard guard(fLock);
  return fResident ? fMemoryPosition : fFile->Position();
}

int64_t TRptStream::Size() {
  Guard guard(fLock);
  return fResident ? static_cast<int64_t>(fMemory.size()) : fFile->Size();
}

void TRptStream::CopyTo(TRptFile& destination) {
  Guard guard(fLock);
  Seek(0);
  uint8_t buffer[10240];
  for (;;) {
    const size_t n = Read(buffer, sizeof buffer);
    if (n == 0) break;
    if (destination.Write(buffer, n) != n)
      throw ERptError("Cannot write file \"" + destination.Path() + "\"");
  }
}

void TRptStream::ReadExactly(void* buffer, size_t count, const char* complaint) {
  if (Read(buffer, count) != count) throw InvalidReportFile(complaint);
}

void TRptStream::WriteExactly(const void* buffer, size_t count) {
  if (Write(buffer, count) != count)
    throw ERptError(ReadOnly() ? "The report stream is read-only"
                               : "Cannot write to the report stream");
}

}  // namespace ormind
