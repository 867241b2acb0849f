#include "report/pages/page_list.h"

#include <string>

#include "report/pages/bytes.h"
#include "report/pages/coder.h"
#include "report/pages/error.h"
#include "report/pages/file.h"
#include "report/pages/file_system.h"
#include "report/pages/local_time.h"

namespace ormind {
namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// Page number, next-record offset and back pointer.
constexpr int64_t kRecordOverhead = 12;
// The least a page body can take: an EMF header, or a packed length with no code.
constexpr int64_t kSmallestPlainBody = TRptEmfHeader::kMinimumSize;
constexpr int64_t kSmallestPackedBody = 4;

std::string PageText(int32_t n) { return "page " + std::to_string(n); }

}  // namespace

TRptPageList::TRptPageList(TRptPictureFactory makePicture, Clock clock)
    : fMakePicture(makePicture ? std::move(makePicture)
                               : [] { return std::make_unique<TRptEmfImage>(); }),
      fClock(clock ? std::move(clock) : Clock(LocalNowAsDay)) {}

TRptStream& TRptPageList::Data() {
  if (!fData) throw ERptError("The page list has no report stream");
  return *fData;
}

int32_t TRptPageList::ReadInt(const char* complaint) {
  uint8_t b[4];
  Data().ReadExactly(b, 4, complaint);
  return GetI32(b);
}

void TRptPageList::WriteInt(int32_t value) {
  uint8_t b[4];
  PutI32(b, value);
  Data().WriteExactly(b, 4);
}

void TRptPageList::StoreHeader() {
  TRptSavedHeader header;
  header.PageTotal = fCount;
  header.WrittenAt = fClock();
  header.PackedPages = fCompressed ? 1 : 0;
  const auto bytes = header.ToBytes();
  TRptStream& data = Data();
  TRptStreamLock lock(data);
  data.Seek(0);
  data.WriteExactly(bytes.data(), bytes.size());
  fHeaderSize = TRptSavedHeader::kSize;
}

// Opens a record at the end of the data; returns the placeholder's position.
int64_t TRptPageList::BeginRecord(int64_t& start) {
  TRptStream& data = Data();
  data.Seek(data.Size());
  start = data.Position();
  WriteInt(fCount);
  const int64_t placeholder = data.Position();
  WriteInt(static_cast<int32_t>(placeholder));
  return placeholder;
}

void TRptPageList::EndRecord(int64_t start, int64_t placeholder) {
  TRptStream& data = Data();
  WriteInt(static_cast<int32_t>(start));
  const int64_t end = data.Position();
  if (end > INT32_MAX) throw ERptError("The report is too large for a report file");
  data.Seek(placeholder);
  WriteInt(static_cast<int32_t>(end));
  data.Seek(end);
}

void TRptPageList::AppendPage(const TRptPagePicture& picture) {
  Guard guard(fLock);
  TRptStream& data = Data();
  if (data.ReadOnly()) throw ERptError("Pages cannot be added to a report loaded from a file");
  TRptStreamLock streamLock(data);
  const std::vector<uint8_t>& bytes = picture.Bytes();
  std::vector<uint8_t> code;
  if (fCompressed) {
    TRptCompress coder(code);
    coder.Encode(bytes.data(), bytes.size());
    coder.Finish();
  }
  const int32_t countBefore = fCount;
  try {
    ++fCount;
    if (fCount == 1) StoreHeader();
    int64_t start = 0;
    const int64_t placeholder = BeginRecord(start);
    if (fCompressed) {
      WriteInt(static_cast<int32_t>(bytes.size()));
      data.WriteExactly(code.data(), code.size());
    } else {
      data.WriteExactly(bytes.data(), bytes.size());
    }
    EndRecord(start, placeholder);
  } catch (...) {
    fCount = countBefore;  // a page that could not be stored is not counted
    throw;
  }
}

// The header size found when the list was loaded, or the one it wrote itself: guessing it
// again from the first page could misread a packed first page.
void TRptPageList::PositionAtFirst() { Data().Seek(fHeaderSize); }

void TRptPageList::PositionAtLast() {
  TRptStream& data = Data();
  data.Seek(data.Size() - 4);
  data.Seek(ReadInt("the last back pointer cannot be read"));
}

void TRptPageList::PositionAt(int32_t n) {
  TRptStream& data = Data();
  TRptStreamLock lock(data);
  if (n == 1) return PositionAtFirst();
  if (n == fCount) return PositionAtLast();
  if (data.Position() >= data.Size()) PositionAtLast();
  const char* broken = "the page records do not lead to the page asked for";
  int32_t c = ReadInt(broken);
  data.Seek(data.Position() - 4);
  // A sound chain reaches any page in fewer steps than there are pages.
  int32_t steps = 0;
  if (n > c) {
    for (;;) {
      c = ReadInt(broken);
      if (c == n) break;
      if (++steps > fCount) throw InvalidReportFile(broken);
      data.Seek(ReadInt(broken));
    }
    data.Seek(data.Position() - 4);
  } else if (n < c) {
    for (;;) {
      c = ReadInt(broken);
      if (c == n) break;
      if (++steps > fCount || data.Position() < 12) throw InvalidReportFile(broken);
      data.Seek(data.Position() - 8);
      data.Seek(ReadInt(broken));
    }
    data.Seek(data.Position() - 4);
  }
}

// The page's EMF bytes from the body of its record, which ends at `bodyEnd`.
std::vector<uint8_t> TRptPageList::ReadBody(int32_t n, int64_t start, int64_t bodyEnd) {
  TRptStream& data = Data();
  const int64_t available = bodyEnd - data.Position();
  const char* truncated = "a page record is cut short";
  if (!fCompressed) {
    uint8_t head[TRptEmfHeader::kMinimumSize];
    if (available < int64_t(sizeof head))
      throw InvalidReportFile("the picture of " + PageText(n) + " runs past its record");
    data.ReadExactly(head, sizeof head, truncated);
    const TRptEmfHeader header = ReadEmfHeader(head, sizeof head);
    if (header.TotalBytes > available)
      throw InvalidReportFile("the picture of " + PageText(n) + " runs past its record");
    std::vector<uint8_t> bytes(header.TotalBytes);
    std::copy(head, head + sizeof head, bytes.begin());
    data.ReadExactly(bytes.data() + sizeof head, bytes.size() - sizeof head, truncated);
    return bytes;
  }
  if (available < 4) throw InvalidReportFile("the record of " + PageText(n) + " is too short");
  const int32_t length = ReadInt(truncated);
  const int64_t codeLength = available - 4;
  // Every byte takes at least one bit of code.
  if (length < 0 || int64_t(length) > codeLength * 8)
    throw InvalidReportFile("the compressed length " + std::to_string(length) + " of " +
                            PageText(n) + " is impossible");
  std::vector<uint8_t> code(static_cast<size_t>(codeLength));
  data.ReadExactly(code.data(), code.size(), truncated);
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  TRptCompress coder(code.data(), code.size());
  coder.Decode(bytes.data(), bytes.size());
  const TRptEmfHeader header = ReadEmfHeader(bytes.data(), bytes.size());
  if (header.TotalBytes > bytes.size())
    throw InvalidReportFile("the picture of " + PageText(n) + " runs past its record");
  // The writer stores exactly the picture's bytes, so a shorter picture means damage.
  if (header.TotalBytes < bytes.size())
    throw InvalidReportFile("the picture of " + PageText(n) + " is shorter than the " +
                            std::to_string(length) + " bytes its record declares");
  return bytes;
}

std::unique_ptr<TRptPagePicture> TRptPageList::ReadPage(int32_t n) {
  if (n > fCount || n < 1) return nullptr;
  Guard guard(fLock);
  TRptStream& data = Data();
  TRptStreamLock streamLock(data);
  PositionAt(n);
  const int64_t start = data.Position();
  try {
    return ReadRecord(n, start);
  } catch (...) {
    // Back to the record's start, from where the walks to other pages begin.
    data.Seek(start);
    throw;
  }
}

std::unique_ptr<TRptPagePicture> TRptPageList::ReadRecord(int32_t n, int64_t start) {
  TRptStream& data = Data();
  const int64_t size = data.Size();
  const char* truncated = "a page record is cut short";
  const int32_t number = ReadInt(truncated);
  const int64_t next = ReadInt(truncated);
  if (number != n)
    throw InvalidReportFile("the record for " + PageText(n) + " holds page " +
                            std::to_string(number));
  if (next < start + kRecordOverhead || next > size)
    throw InvalidReportFile("the record of " + PageText(n) + " has an impossible length");
  std::vector<uint8_t> bytes = ReadBody(n, start, next - 4);
  data.Seek(next - 4);
  if (ReadInt(truncated) != start)
    throw InvalidReportFile("the back pointer of " + PageText(n) + " is wrong");
  auto picture = fMakePicture();
  picture->LoadFromBytes(std::move(bytes));
  return picture;
}

// Follows the chain from the first record and checks every link, so that the walks of
// PositionAt stay within the file and always end.
std::vector<TRptPageRecord> TRptPageList::CheckRecords(int headerSize, int32_t pageTotal,
                                                       bool collect) {
  TRptStream& data = Data();
  const int64_t size = data.Size();
  std::vector<TRptPageRecord> records;
  int64_t at = headerSize;
  const char* truncated = "a page record is cut short";
  for (int32_t i = 1; i <= pageTotal; ++i) {
    if (at + kRecordOverhead > size)
      throw InvalidReportFile("the record of " + PageText(i) + " lies past the end of the file");
    data.Seek(at);
    const int32_t number = ReadInt(truncated);
    const int64_t next = ReadInt(truncated);
    if (number != i)
      throw InvalidReportFile("the record at offset " + std::to_string(at) + " holds page " +
                              std::to_string(number) + " where " + PageText(i) +
                              " belongs");
    if (next < at + kRecordOverhead || next > size)
      throw InvalidReportFile("the next-record offset " + std::to_string(next) + " of " +
                              PageText(i) + " is outside the file or out of order");
    data.Seek(next - 4);
    const int64_t back = ReadInt(truncated);
    if (back != at)
      throw InvalidReportFile("the back pointer " + std::to_string(back) + " of " +
                              PageText(i) + " does not point to its record");
    if (collect) records.push_back({number, at, next - at});
    at = next;
  }
  if (at != size)
    throw InvalidReportFile(std::to_string(size - at) + " bytes follow the " +
                            (pageTotal > 0 ? "last page" : "header of a report without pages"));
  return records;
}

TRptSavedHeader TRptPageList::LoadHeader() {
  Guard guard(fLock);
  TRptStream& data = Data();
  TRptStreamLock streamLock(data);
  const int headerSize = DetectHeaderSize(data);
  const int64_t size = data.Size();
  if (size < headerSize)
    throw InvalidReportFile("the file is " + std::to_string(size) +
                            " bytes long, shorter than a report header");
  std::array<uint8_t, TRptSavedHeader::kSize> bytes{};
  data.Seek(0);
  data.ReadExactly(bytes.data(), headerSize, "the header cannot be read");
  UpgradeHeader(headerSize, bytes);
  const TRptSavedHeader header = TRptSavedHeader::FromBytes(bytes);
  if (header.PackedPages > 1)
    throw InvalidReportFile("unknown page packing " + std::to_string(header.PackedPages));
  const bool packed = header.PackedPages == 1;
  const int64_t smallestRecord =
      kRecordOverhead + (packed ? kSmallestPackedBody : kSmallestPlainBody);
  if (header.PageTotal < 0 || header.PageTotal > (size - headerSize) / smallestRecord)
    throw InvalidReportFile("the page count " + std::to_string(header.PageTotal) +
                            " does not fit a file of " + std::to_string(size) + " bytes");
  CheckRecords(headerSize, header.PageTotal, false);
  fCount = header.PageTotal;
  fCompressed = packed;
  fHeaderSize = headerSize;
  data.Seek(headerSize);
  return header;
}

std::vector<TRptPageRecord> TRptPageList::Records() {
  Guard guard(fLock);
  TRptStream& data = Data();
  TRptStreamLock streamLock(data);
  const int64_t here = data.Position();
  auto records = CheckRecords(fHeaderSize, fCount, true);
  data.Seek(here);
  return records;
}

void TRptPageList::OpenFile(const std::string& path) {
  Guard guard(fLock);
  // Check the file on its own before it replaces anything the list holds.
  TRptPageList probe(fMakePicture, fClock);
  probe.SetStream(TRptStream::OpenExisting(path));
  probe.LoadHeader();
  TakeOver(probe);
}

void TRptPageList::TakeOver(TRptPageList& other) {
  Guard guard(fLock);
  fData = std::move(other.fData);
  other.fData.reset();
  fCount = other.fCount;
  fCompressed = other.fCompressed;
  fHeaderSize = other.fHeaderSize;
  other.fCount = 0;
}

void TRptPageList::WriteToFile(const std::string& path) {
  Guard guard(fLock);
  TRptStream& data = Data();
  if (data.ReadOnly() && SameFile(data.FilePath(), path)) return;  // already holds these bytes
  const std::string temporary = MakeSiblingTempFile(path);
  try {
    TRptFile file(temporary, TRptFile::Mode::Create);
    data.CopyTo(file);
    file.Close();
    ReplaceFileWith(temporary, path);
  } catch (const ERptNewFileKept&) {
    throw;  // the temporary file is the report now, and the message names it
  } catch (const ERptError& error) {
    DeleteFileQuietly(temporary);
    // Name the file the user asked for, not the temporary one.
    std::string message = error.what();
    for (size_t at; (at = message.find(temporary)) != std::string::npos;)
      message.replace(at, temporary.size(), path);
    throw ERptError(message);
  } catch (...) {
    DeleteFileQuietly(temporary);
    throw;
  }
}

}  // namespace ormind
