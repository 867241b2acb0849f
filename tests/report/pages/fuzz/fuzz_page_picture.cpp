// Fuzzes the page pictures of report files: the metafile header check and the portable page
// picture. Each input is tried as it is and with a header record type and signature put in,
// so that the length and frame checks are reached. A picture that is taken must hold a header
// that fits it (at least the header record, lengths in whole 32-bit units, the length it
// states), a frame of sane size, and give back its bytes unchanged; one that is refused raises
// ERptError and leaves the picture that was loaded before as it was.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/pages/error.h"
#include "report/pages/page_picture.h"

using namespace ormind;

namespace {

std::vector<uint8_t> SmallestMetafile() {
  std::vector<uint8_t> bytes(TRptEmfHeader::kMinimumSize, 0);
  const auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, 1);
  put(4, TRptEmfHeader::kMinimumSize);
  put(32, 21000);
  put(36, 29700);
  put(40, 0x464D4520);
  put(48, TRptEmfHeader::kMinimumSize);
  return bytes;
}

void Check(const std::vector<uint8_t>& bytes) {
  try {
    const TRptEmfHeader h = ReadEmfHeader(bytes.data(), bytes.size());
    if (h.HeaderSize < TRptEmfHeader::kMinimumSize || h.HeaderSize % 4 || h.TotalBytes % 4 ||
        h.TotalBytes < h.HeaderSize || h.FrameRight < h.FrameLeft || h.FrameBottom < h.FrameTop)
      __builtin_trap();
  } catch (const ERptError&) {
  }

  const std::vector<uint8_t> before = SmallestMetafile();
  TRptEmfImage image(before);
  try {
    image.LoadFromBytes(bytes);
  } catch (const ERptError&) {
    if (image.Bytes() != before || image.FrameWidth() != 21000 || image.FrameHeight() != 29700)
      __builtin_trap();
    return;
  }
  const int64_t width = image.FrameWidth(), height = image.FrameHeight();
  if (image.Bytes() != bytes || width < 0 || height < 0 || width > 100000000 ||
      height > 100000000 || image.WidthInPixels(1200) < 0 || image.HeightInPixels(1200) < 0)
    __builtin_trap();
  const TRptEmfImage again(image.Bytes());
  if (again.FrameWidth() != width || again.FrameHeight() != height) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  Check(bytes);
  if (bytes.size() >= TRptEmfHeader::kMinimumSize) {
    const std::vector<uint8_t> mark = SmallestMetafile();
    std::copy(mark.begin(), mark.begin() + 4, bytes.begin());
    std::copy(mark.begin() + 40, mark.begin() + 44, bytes.begin() + 40);
    Check(bytes);
  }
  return 0;
}
