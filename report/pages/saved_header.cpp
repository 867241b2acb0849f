#include "report/pages/saved_header.h"

#include <algorithm>
#include <cstring>

#include "report/pages/bytes.h"
#include "report/pages/stream.h"

namespace ormind {

std::array<uint8_t, TRptSavedHeader::kSize> TRptSavedHeader::ToBytes() const {
  std::array<uint8_t, kSize> b{};
  PutU16(&b[0], LayoutVersion);
  PutU16(&b[2], WriterVersion);
  PutI32(&b[8], PageTotal);
  PutF64(&b[16], WrittenAt);
  b[25] = PackedPages;
  return b;
}

TRptSavedHeader TRptSavedHeader::FromBytes(const std::array<uint8_t, kSize>& b) {
  TRptSavedHeader h;
  h.LayoutVersion = GetU16(&b[0]);
  h.WriterVersion = GetU16(&b[2]);
  h.PageTotal = GetI32(&b[8]);
  h.WrittenAt = GetF64(&b[16]);
  h.PackedPages = b[25];
  return h;
}

int DetectHeaderSize(TRptStream& stream) {
  TRptStreamLock lock(stream);
  const int64_t here = stream.Position();
  char text[5] = {};
  stream.Seek(173);
  stream.Read(text, 4);
  stream.Seek(here);
  return std::strcmp(text, "EMF") == 0 ? TRptSavedHeader::kOldSize : TRptSavedHeader::kSize;
}

void UpgradeHeader(int headerSize, std::array<uint8_t, TRptSavedHeader::kSize>& h) {
  if (headerSize != TRptSavedHeader::kOldSize) return;
  // Versions (0..3), the byte at 4 and the count at 8 stay; the rest moves up, last first.
  std::array<uint8_t, TRptSavedHeader::kSize> old = h;
  std::copy(old.begin() + 22, old.begin() + 123, h.begin() + 26);  // 101 reserved bytes
  h[25] = old[21];                                                 // compression
  h[24] = old[20];
  std::copy(old.begin() + 12, old.begin() + 20, h.begin() + 16);   // date and time
  std::fill(h.begin() + 12, h.begin() + 16, 0);
  h[127] = 0;
}

}  // namespace ormind
