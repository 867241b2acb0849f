#include "report/pages/page_picture.h"

#include <cmath>

#include "report/pages/bytes.h"
#include "report/pages/error.h"

namespace ormind {
namespace {

int32_t ToPixels(int32_t hundredthsOfMillimetre, int32_t pixelsPerInch) {
  return static_cast<int32_t>(
      std::llround(static_cast<double>(hundredthsOfMillimetre) * pixelsPerInch / 2540.0));
}

}  // namespace

int32_t TRptPagePicture::WidthInPixels(int32_t pixelsPerInch) const {
  return ToPixels(FrameWidth(), pixelsPerInch);
}

int32_t TRptPagePicture::HeightInPixels(int32_t pixelsPerInch) const {
  return ToPixels(FrameHeight(), pixelsPerInch);
}

TRptEmfHeader ReadEmfHeader(const uint8_t* b, size_t size) {
  constexpr uint32_t kHeaderRecord = 1;
  constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
  if (size < TRptEmfHeader::kMinimumSize)
    throw InvalidReportFile("a page picture is shorter than a metafile header");
  TRptEmfHeader h;
  h.HeaderSize = GetU32(b + 4);
  h.TotalBytes = GetU32(b + 48);
  h.FrameLeft = GetI32(b + 24);
  h.FrameTop = GetI32(b + 28);
  h.FrameRight = GetI32(b + 32);
  h.FrameBottom = GetI32(b + 36);
  if (GetU32(b) != kHeaderRecord || GetU32(b + 40) != kSignature)
    throw InvalidReportFile("a page is not an enhanced metafile");
  if (h.HeaderSize < TRptEmfHeader::kMinimumSize || h.HeaderSize % 4 != 0 ||
      h.TotalBytes < h.HeaderSize || h.TotalBytes % 4 != 0)
    throw InvalidReportFile("a page picture has an impossible length");
  // Frames far outside any paper would overflow the size arithmetic.
  const int64_t width = int64_t(h.FrameRight) - h.FrameLeft;
  const int64_t height = int64_t(h.FrameBottom) - h.FrameTop;
  if (width < 0 || height < 0 || width > 100000000 || height > 100000000)
    throw InvalidReportFile("a page picture has an impossible size");
  return h;
}

void TRptEmfImage::LoadFromBytes(std::vector<uint8_t> bytes) {
  const TRptEmfHeader header = ReadEmfHeader(bytes.data(), bytes.size());
  if (header.TotalBytes != bytes.size())
    throw InvalidReportFile("a page picture's length does not match its header");
  fHeader = header;
  fBytes = std::move(bytes);
}

}  // namespace ormind
