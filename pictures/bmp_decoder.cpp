#include "pictures/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>

#include "pictures/picture_error.h"

namespace ormind {
namespace {

const char kInvalid[] = "Bitmap image is not valid";

[[noreturn]] void Invalid() { throw PictureError(kInvalid); }

uint32_t U16(std::span<const uint8_t> b, size_t at) {
  if (at + 2 > b.size()) Invalid();
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8;
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) Invalid();
  return U16(b, at) | U16(b, at + 2) << 16;
}

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct Header {
  int width = 0;
  int height = 0;  // always positive here
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = kRgb;
  std::array<uint32_t, 3> masks{};  // red, green, blue for 16 and 32 bits
  std::vector<uint32_t> palette;    // 0x00RRGGBB
};

// One channel taken out of a pixel by a bit-field mask and scaled to 0..255.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const uint32_t value = (pixel & mask) >> shift;
  const uint32_t max = mask >> shift;
  return (value * 255 + max / 2) / max;
}

Header ReadHeader(std::span<const uint8_t> file, size_t& pixelOffset) {
  if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') Invalid();
  const size_t offBits = U32(file, 10);
  const size_t infoSize = U32(file, 14);
  Header h;
  size_t paletteAt = 14 + infoSize;
  int paletteEntrySize = 4;
  uint32_t colorsUsed = 0;
  if (infoSize == 12) {  // BITMAPCOREHEADER
    h.width = static_cast<int>(U16(file, 18));
    h.height = static_cast<int>(U16(file, 20));
    h.bitCount = static_cast<int>(U16(file, 24));
    paletteEntrySize = 3;
  } else if (infoSize >= 40 && infoSize <= 1024) {
    h.width = static_cast<int32_t>(U32(file, 18));
    const auto height = static_cast<int32_t>(U32(file, 22));
    if (height == INT32_MIN) Invalid();
    h.topDown = height < 0;
    h.height = h.topDown ? -height : height;
    h.bitCount = static_cast<int>(U16(file, 28));
    h.compression = U32(file, 30);
    colorsUsed = U32(file, 46);
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(file, 54 + 4 * i);
      if (infoSize == 40) paletteAt += h.compression == kBitFields ? 12 : 16;
    }
  } else {
    Invalid();
  }
  if (h.width <= 0 || h.height <= 0) Invalid();
  if (int64_t{h.width} * h.height > kMaxPicturePixels) Invalid();

  switch (h.compression) {
    case kRgb:
      if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
          h.bitCount != 24 && h.bitCount != 32)
        Invalid();
      if (h.bitCount == 16) h.masks = {0x7C00, 0x03E0, 0x001F};
      if (h.bitCount == 32) h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (h.bitCount != 16 && h.bitCount != 32) Invalid();
      break;
    case kRle8:
      if (h.bitCount != 8 || h.topDown) Invalid();
      break;
    case kRle4:
      if (h.bitCount != 4 || h.topDown) Invalid();
      break;
    default:
      Invalid();
  }

  const bool offsetValid = offBits >= paletteAt && offBits < file.size();
  if (h.bitCount <= 8) {
    const uint32_t maxColors = 1u << h.bitCount;
    uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    // Files with the old header, and some others, store fewer colours than the bit count
    // allows: the pixel offset tells where the palette ends.
    if (offsetValid) count = std::min<uint32_t>(count, (offBits - paletteAt) / paletteEntrySize);
    h.palette.assign(maxColors, 0);  // indices past the stored palette read as black
    for (uint32_t i = 0; i < count; ++i) {
      const size_t at = paletteAt + size_t{i} * paletteEntrySize;
      if (at + 3 > file.size()) Invalid();
      h.palette[i] = uint32_t{file[at + 2]} << 16 | uint32_t{file[at + 1]} << 8 | file[at];
    }
    paletteAt += size_t{count} * paletteEntrySize;
  }
  // Some writers leave the offset at zero or point it nowhere; the pixels then follow the
  // palette.
  pixelOffset = offsetValid ? offBits : paletteAt;
  return h;
}

size_t RowStride(const Header& h) { return (static_cast<size_t>(h.width) * h.bitCount + 31) / 32 * 4; }

// Uncompressed rows must all be in the file; told before the picture is allocated, so that a
// short file claiming a large picture costs nothing.
void RequireRows(std::span<const uint8_t> file, size_t offset, const Header& h) {
  if (offset > file.size() || (file.size() - offset) / RowStride(h) < static_cast<size_t>(h.height))
    Invalid();
}

void DecodeRows(std::span<const uint8_t> file, size_t offset, const Header& h, PixelImage& out) {
  const size_t stride = RowStride(h);
  for (int row = 0; row < h.height; ++row) {
    const uint8_t* src = file.data() + offset + stride * row;
    const int y = h.topDown ? row : h.height - 1 - row;
    uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * h.width;
    for (int x = 0; x < h.width; ++x) {
      switch (h.bitCount) {
        case 1: dst[x] = h.palette[(src[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: dst[x] = h.palette[(src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
        case 8: dst[x] = h.palette[src[x]]; break;
        case 24:
          dst[x] = uint32_t{src[3 * x + 2]} << 16 | uint32_t{src[3 * x + 1]} << 8 | src[3 * x];
          break;
        default: {
          const uint32_t p = h.bitCount == 16 ? (src[2 * x] | uint32_t{src[2 * x + 1]} << 8)
                                              : (src[4 * x] | uint32_t{src[4 * x + 1]} << 8 |
                                                 uint32_t{src[4 * x + 2]} << 16 |
                                                 uint32_t{src[4 * x + 3]} << 24);
          dst[x] = Channel(p, h.masks[0]) << 16 | Channel(p, h.masks[1]) << 8 |
                   Channel(p, h.masks[2]);
        }
      }
    }
  }
}

// Run-length encoded rows (bottom-up) into a picture filled with palette colour 0, which the
// pixels the runs skip keep;
// runs that would leave the picture are cut at its edge.
void DecodeRle(std::span<const uint8_t> file, size_t at, const Header& h, PixelImage& out) {
  const bool four = h.bitCount == 4;
  int x = 0, row = 0;
  auto put = [&](uint32_t index) {
    if (x < h.width && row < h.height) {
      out.pixels[static_cast<size_t>(h.height - 1 - row) * h.width + x] = h.palette[index];
    }
    ++x;
  };
  while (row < h.height) {
    if (at + 2 > file.size()) Invalid();
    const uint8_t count = file[at], value = file[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (at + 2 > file.size()) Invalid();
      x += file[at];
      row += file[at + 1];
      at += 2;
    } else {  // absolute run of `value` pixels, padded to 16 bits
      const size_t bytes = four ? (value + 1) / 2 : value;
      if (at + bytes > file.size()) Invalid();
      for (int i = 0; i < value; ++i) {
        put(four ? (i % 2 ? file[at + i / 2] & 0xF : file[at + i / 2] >> 4) : file[at + i]);
      }
      at += (bytes + 1) / 2 * 2;
    }
  }
}

bool IsBlackAndWhite(const std::vector<uint32_t>& palette) {
  return palette.size() == 2 && ((palette[0] == 0 && palette[1] == 0xFFFFFF) ||
                                 (palette[0] == 0xFFFFFF && palette[1] == 0));
}

}  // namespace

PixelImage DecodeBmp(std::span<const uint8_t> file) {
  size_t offset = 0;
  const Header h = ReadHeader(file, offset);
  const bool runLength = h.compression == kRle8 || h.compression == kRle4;
  if (!runLength) RequireRows(file, offset, h);
  PixelImage image;
  image.width = h.width;
  image.height = h.height;
  image.monochrome = h.bitCount == 1 && IsBlackAndWhite(h.palette);
  // Pixels that runs skip keep palette colour 0, so run-length pictures start filled with it.
  image.pixels.assign(static_cast<size_t>(h.width) * h.height, runLength ? h.palette[0] : 0);
  if (runLength) {
    DecodeRle(file, offset, h, image);
  } else {
    DecodeRows(file, offset, h, image);
  }
  return image;
}

}  // namespace ormind
