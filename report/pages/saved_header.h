#pragma once
// The header that opens the page list's stream and every saved report file: 128 bytes, or 124
// in files of the older layout, which are rearranged into the 128-byte layout when read.
#include <array>
#include <cstdint>

namespace ormind {

class TRptStream;

struct TRptSavedHeader {
  static constexpr int kSize = 128;
  static constexpr int kOldSize = 124;
  static constexpr uint16_t kLayoutVersion = 3;
  static constexpr uint16_t kWriterVersion = 309;

  uint16_t LayoutVersion = kLayoutVersion;
  uint16_t WriterVersion = kWriterVersion;
  int32_t PageTotal = 0;
  double WrittenAt = 0;   // local date and time, days since 30 December 1899
  uint8_t PackedPages = 0;

  // Little-endian 128-byte image; the reserved bytes are zero.
  std::array<uint8_t, kSize> ToBytes() const;
  // Reads the fields from a 128-byte image.
  static TRptSavedHeader FromBytes(const std::array<uint8_t, kSize>& bytes);
};

// 124 when the letters "EMF" of the first page's signature stand where a 124-byte header puts
// them (offset 173), else 128. The stream's position is kept.
int DetectHeaderSize(TRptStream& stream);

// Moves the fields of a 124-byte header, read into the first 124 bytes of `header`, to their
// places in the 128-byte layout; does nothing for a 128-byte header.
void UpgradeHeader(int headerSize, std::array<uint8_t, TRptSavedHeader::kSize>& header);

}  // namespace ormind
