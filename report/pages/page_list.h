#pragma once
// The page list: the report's finished pages as records in a report stream, behind a header.
// Each record is: page number, offset of the next record, the page body (the EMF bytes, or
// their length and splay code), and a back pointer to the record's own start, so that pages are
// found by walking forward or backward from the current position without an index.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "report/pages/page_picture.h"
#include "report/pages/saved_header.h"
#include "report/pages/stream.h"

namespace ormind {

// Where one page record lies, for inspection.
struct TRptPageRecord {
  int32_t PageNumber = 0;
  int64_t Offset = 0;
  int64_t Length = 0;
};

class TRptPageList {
 public:
  using Clock = std::function<double()>;  // local date and time as a day count

  explicit TRptPageList(TRptPictureFactory makePicture = nullptr, Clock clock = nullptr);
  TRptPageList(const TRptPageList&) = delete;
  TRptPageList& operator=(const TRptPageList&) = delete;

  // The stream is shared with the page printer while it generates.
  void SetStream(std::shared_ptr<TRptStream> stream) { fData = std::move(stream); }
  const std::shared_ptr<TRptStream>& Stream() const { return fData; }

  void Reset() { fCount = 0; }
  void Acquire() { fLock.lock(); }
  void Release() { fLock.unlock(); }

  int32_t Count() const { return fCount; }
  bool Compressed() const { return fCompressed; }
  void SetCompressed(bool compressed) { fCompressed = compressed; }
  // The size of the header the list last read or wrote (128 for a new list).
  int HeaderSize() const { return fHeaderSize; }

  // Appends a page as the last record; the header is written before the first one.
  void AppendPage(const TRptPagePicture& picture);
  // Page n as a new picture owned by the caller; none when n is not a stored page.
  // Throws ERptError "Not a valid report file: ..." when the record is damaged.
  std::unique_ptr<TRptPagePicture> ReadPage(int32_t n);

  // Moves to the start of record n (1 <= n <= Count), from the start of a record or the end.
  void PositionAt(int32_t n);
  void PositionAtFirst();
  void PositionAtLast();

  void StoreHeader();
  // Reads and checks the header and the whole chain of records, leaving the position at the
  // first record. The list follows the file's packing flag. Throws ERptError on a bad file.
  TRptSavedHeader LoadHeader();
  // Rewrites the header with the final page count and the current time.
  void Complete() { StoreHeader(); }

  // Uses a saved report file as the list's stream. A file that cannot be opened or is not a
  // report file raises ERptError and leaves the list as it was.
  void OpenFile(const std::string& path);
  // Takes the stream, page count, packing and header size of another list, which is left
  // without a stream.
  void TakeOver(TRptPageList& other);
  // Saves the stream into `path`: written beside it, then put in its place in one step.
  void WriteToFile(const std::string& path);

  // Every record in page order (the chain checked as LoadHeader checks it).
  std::vector<TRptPageRecord> Records();

 private:
  TRptStream& Data();
  int32_t ReadInt(const char* complaint);
  void WriteInt(int32_t value);
  int64_t BeginRecord(int64_t& start);
  void EndRecord(int64_t start, int64_t placeholder);
  std::vector<uint8_t> ReadBody(int32_t n, int64_t start, int64_t bodyEnd);
  std::unique_ptr<TRptPagePicture> ReadRecord(int32_t n, int64_t start);
  std::vector<TRptPageRecord> CheckRecords(int headerSize, int32_t pageTotal, bool collect);

  std::recursive_mutex fLock;
  TRptPictureFactory fMakePicture;
  Clock fClock;
  bool fCompressed = false;
  int32_t fCount = 0;
  int fHeaderSize = TRptSavedHeader::kSize;
  std::shared_ptr<TRptStream> fData;
};

}  // namespace ormind
