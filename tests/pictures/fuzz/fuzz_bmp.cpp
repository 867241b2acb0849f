// Fuzzes the BMP reader and the stored-picture layout. Each input is read three ways: as a
// BMP file as it is; as a BMP built from it (a well-formed header whose size, bit count,
// compression and palette come from its first bytes, the rest as the pixel data), which gets
// past the header checks to the row and run-length decoding; and as a stored picture
// (class name, byte count, file), whose BMP or PNG file is then decoded. Whatever decodes must
// have the size its header says, within the readers' pixel limit; anything else must raise
// PictureError and nothing else (another exception ends the run as a crash). A stored picture
// made from the input must split back into its class and bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "pictures/bmp_decoder.h"
#include "pictures/picture_error.h"
#include "pictures/png_decoder.h"
#include "pictures/stored_picture.h"

using namespace ormind;

namespace {

uint32_t Little32(std::span<const uint8_t> b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
         uint32_t{b[at + 3]} << 24;
}
void PutLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The size a BMP header states: core headers hold 16-bit sizes, the others 32-bit ones with a
// negative height for top-down rows.
void CheckBmpSize(std::span<const uint8_t> file, const PixelImage& image) {
  const uint32_t infoSize = Little32(file, 14);
  int64_t width, height;
  if (infoSize == 12) {
    width = file[18] | file[19] << 8;
    height = file[20] | file[21] << 8;
  } else {
    width = static_cast<int32_t>(Little32(file, 18));
    height = std::llabs(static_cast<int32_t>(Little32(file, 22)));
  }
  if (image.width != width || image.height != height || width * height > kMaxPicturePixels ||
      image.pixels.size() != static_cast<size_t>(width * height))
    __builtin_trap();
}

void CheckPngSize(std::span<const uint8_t> file, const PixelImage& image) {
  const auto big = [&](size_t at) {
    return uint32_t{file[at]} << 24 | uint32_t{file[at + 1]} << 16 | uint32_t{file[at + 2]} << 8 |
           file[at + 3];
  };
  if (static_cast<uint32_t>(image.width) != big(16) || static_cast<uint32_t>(image.height) != big(20) ||
      int64_t{image.width} * image.height > kMaxPicturePixels ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height)
    __builtin_trap();
}

// The pixels a header states, or -1 when the file is too short to state them.
int64_t StatedPixels(std::span<const uint8_t> file, bool png) {
  if (file.size() < 26) return -1;
  if (png) {
    const auto big = [&](size_t at) {
      return int64_t{file[at]} << 24 | int64_t{file[at + 1]} << 16 | int64_t{file[at + 2]} << 8 |
             file[at + 3];
    };
    return big(16) * big(20);
  }
  if (Little32(file, 14) == 12) return int64_t{file[18] | file[19] << 8} * (file[20] | file[21] << 8);
  return std::llabs(int64_t{static_cast<int32_t>(Little32(file, 18))}) *
         std::llabs(int64_t{static_cast<int32_t>(Little32(file, 22))});
}

// Legal pictures of many millions of pixels take most of a second each under the sanitizers,
// which would leave the run little time for anything else: pictures above this budget and
// within the readers' limit are not decoded (their row loops are those of small pictures).
// Headers above the limit are still read, and must be refused.
constexpr int64_t kFuzzPixelBudget = int64_t{1} << 18;
bool OverBudget(std::span<const uint8_t> file, bool png) {
  const int64_t pixels = StatedPixels(file, png);
  return pixels > kFuzzPixelBudget && pixels <= kMaxPicturePixels;
}

void CheckBmp(std::span<const uint8_t> file) {
  if (OverBudget(file, false)) return;
  try {
    CheckBmpSize(file, DecodeBmp(file));
  } catch (const PictureError&) {
  }
}

// Input bytes 0-1 width, 2-3 height (1 to 256 each; bit 7 of byte 3 for top-down), 4 the bit
// count and compression, 5 the colours used; then the palette and the pixels.
std::vector<uint8_t> BuiltFrom(std::span<const uint8_t> input) {
  if (input.size() < 6) return {};
  static constexpr struct { uint16_t bits; uint32_t compression; } kKinds[] = {
      {1, 0}, {4, 0}, {8, 0}, {16, 0}, {24, 0}, {32, 0}, {8, 1}, {4, 2}, {16, 3}, {32, 3}};
  const int32_t width = input[0] % 4 * 64 + input[1] % 64 + 1;
  int32_t height = input[2] % 4 * 64 + input[3] % 64 + 1;
  if (input[3] & 0x80) height = -height;
  const auto& kind = kKinds[input[4] % std::size(kKinds)];
  const uint32_t colorsUsed = input[5] % 3 == 0 ? 0 : input[5];
  const std::span<const uint8_t> rest = input.subspan(6);
  const uint32_t masksSize = kind.compression == 3 ? 12 : 0;
  const uint32_t paletteSize =
      kind.bits <= 8 ? 4 * (colorsUsed ? colorsUsed : 1u << kind.bits) : 0;
  const uint32_t offBits = 14 + 40 + masksSize + paletteSize;
  std::vector<uint8_t> out = {'B', 'M'};
  PutLittle(out, static_cast<uint32_t>(offBits + rest.size()), 4);
  PutLittle(out, 0, 4);
  PutLittle(out, offBits, 4);
  PutLittle(out, 40, 4);
  PutLittle(out, static_cast<uint32_t>(width), 4);
  PutLittle(out, static_cast<uint32_t>(height), 4);
  PutLittle(out, 1, 2);
  PutLittle(out, kind.bits, 2);
  PutLittle(out, kind.compression, 4);
  PutLittle(out, static_cast<uint32_t>(rest.size()), 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, colorsUsed, 4);
  PutLittle(out, 0, 4);
  if (kind.compression == 3) {
    const bool five = kind.bits == 16;
    PutLittle(out, five ? 0x7C00 : 0xFF0000, 4);
    PutLittle(out, five ? 0x03E0 : 0x00FF00, 4);
    PutLittle(out, five ? 0x001F : 0x0000FF, 4);
  }
  // The palette and the pixels come from the rest of the input, short files included.
  out.insert(out.end(), rest.begin(), rest.end());
  if (out.size() < offBits) out.resize(offBits, 0x5A);
  return out;
}

void CheckStored(std::span<const uint8_t> bytes) {
  try {
    const StoredPicture stored = SplitStoredPicture(bytes);
    const std::span<const uint8_t> file = ReadCountedBytes(stored.data);
    if (file.data() < bytes.data() || file.data() + file.size() > bytes.data() + bytes.size())
      __builtin_trap();
    if (stored.className == "TBitmap" && !OverBudget(file, false))
      CheckBmpSize(file, DecodeBmp(file));
    if (stored.className == "TPngImage" && !OverBudget(file, true))
      CheckPngSize(file, DecodePng(file));
  } catch (const PictureError&) {
  }
}

void CheckStoredRoundTrip(std::span<const uint8_t> input) {
  const size_t nameLength = input.empty() ? 0 : input[0] % 16;
  if (input.size() < 1 + nameLength) return;
  const std::string name(reinterpret_cast<const char*>(input.data() + 1), nameLength);
  const std::span<const uint8_t> file = input.subspan(1 + nameLength);
  const std::vector<uint8_t> made = MakeStoredPicture(name, file);
  const StoredPicture stored = SplitStoredPicture(made);
  const std::span<const uint8_t> back = ReadCountedBytes(stored.data);
  if (stored.className != name || !std::equal(back.begin(), back.end(), file.begin(), file.end()))
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  CheckBmp(input);
  const std::vector<uint8_t> built = BuiltFrom(input);
  if (!built.empty()) CheckBmp(built);
  CheckStored(input);
  CheckStoredRoundTrip(input);
  return 0;
}
