// Fuzzes the PNG reader. Each input is read three ways, so that the search gets past the
// checksums a mutation almost always breaks: as it is; with every chunk's CRC made right; and
// as a picture built from it (a header from its first bytes, the rest as the filtered rows,
// deflated properly), which reaches the row filters and the size checks. Whatever decodes must
// have the size its header says, within the readers' pixel limit; anything else must raise
// PictureError and nothing else (another exception ends the run as a crash).
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pictures/bmp_decoder.h"
#include "pictures/picture_error.h"
#include "pictures/png_decoder.h"

using namespace ormind;

namespace {

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Check(std::span<const uint8_t> file) {
  PixelImage image;
  try {
    image = DecodePng(file);
  } catch (const PictureError&) {
    return;
  }
  // Decoding succeeded, so the header is there: its size is the picture's.
  const uint32_t width = BigEndian32(file.data() + 16), height = BigEndian32(file.data() + 20);
  if (image.width <= 0 || image.height <= 0 || static_cast<uint32_t>(image.width) != width ||
      static_cast<uint32_t>(image.height) != height ||
      image.pixels.size() != static_cast<size_t>(width) * height ||
      int64_t{image.width} * image.height > kMaxPicturePixels) {
    __builtin_trap();
  }
}

std::vector<uint8_t> WithRightChecksums(std::span<const uint8_t> file) {
  std::vector<uint8_t> out(file.begin(), file.end());
  for (size_t at = 8; at + 12 <= out.size();) {
    const uint32_t length = BigEndian32(out.data() + at);
    if (length > out.size() - at - 12) break;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, out.data() + at + 4, 4 + length));
    for (int i = 0; i < 4; ++i) out[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += 12 + size_t{length};
  }
  return out;
}

void PutChunk(std::vector<uint8_t>& out, const char* type, std::span<const uint8_t> body) {
  PutBigEndian32(out, static_cast<uint32_t>(body.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutBigEndian32(out, static_cast<uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(4 + body.size()))));
}

// Input bytes 0-1 width, 2-3 height (each 1 to 256), 4 the colour type, then the rows.
std::vector<uint8_t> BuiltFrom(std::span<const uint8_t> input) {
  if (input.size() < 5) return {};
  const uint32_t width = input[0] % 4 * 64 + input[1] % 64 + 1;
  const uint32_t height = input[2] % 4 * 64 + input[3] % 64 + 1;
  const uint8_t header[13] = {0, 0, static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width),
                              0, 0, static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height),
                              8, static_cast<uint8_t>(input[4] & 1 ? 6 : 2), 0, 0, 0};
  const std::span<const uint8_t> rows = input.subspan(5);
  uLongf size = compressBound(static_cast<uLong>(rows.size()));
  std::vector<uint8_t> deflated(size);
  if (compress2(deflated.data(), &size, rows.data(), static_cast<uLong>(rows.size()), 1) != Z_OK) return {};
  deflated.resize(size);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", deflated);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  Check(input);
  Check(WithRightChecksums(input));
  Check(BuiltFrom(input));
  return 0;
}
