#include "ui/tray/rules/icon_choice.h"

#include <cstdlib>

namespace ormind {
namespace {

int SizeDistance(const IconImageInfo& image, int cx, int cy) {
  return std::abs(image.width - cx) + std::abs(image.height - cy);
}

// True when `a` is the better size match than `b`.
bool CloserSize(const IconImageInfo& a, const IconImageInfo& b, int cx, int cy) {
  const int da = SizeDistance(a, cx, cy), db = SizeDistance(b, cx, cy);
  if (da != db) return da < db;
  return a.width * a.height > b.width * b.height;
}

bool BetterDepth(int candidate, int best, int screenBits) {
  const bool candidateFits = candidate <= screenBits, bestFits = best <= screenBits;
  if (candidateFits != bestFits) return candidateFits;
  return candidateFits ? candidate > best : candidate < best;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

int ChooseIconImage(std::span<const IconImageInfo> images, int cx, int cy, int screenBits) {
  int bestSize = -1;
  for (std::size_t i = 0; i < images.size(); ++i)
    if (bestSize < 0 || CloserSize(images[i], images[bestSize], cx, cy)) bestSize = int(i);
  if (bestSize < 0) return -1;
  const int w = images[bestSize].width, h = images[bestSize].height;
  int best = -1;
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (images[i].width != w || images[i].height != h) continue;
    if (best < 0 || BetterDepth(images[i].bitsPerPixel, images[best].bitsPerPixel, screenBits))
      best = int(i);
  }
  return best;
}

std::vector<IconImageInfo> ParseIconGroup(std::span<const std::uint8_t> bytes) {
  // GRPICONDIR: reserved, type (1 = icon), count; then 14-byte entries: width, height, colour
  // count, reserved, planes, bit count, byte size (32-bit), resource id.
  constexpr std::size_t kHeader = 6, kEntry = 14;
  if (bytes.size() < kHeader || ReadU16(bytes, 0) != 0 || ReadU16(bytes, 2) != 1) return {};
  const std::size_t count = ReadU16(bytes, 4);
  if (bytes.size() < kHeader + count * kEntry) return {};
  std::vector<IconImageInfo> images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeader + i * kEntry;
    int bits = ReadU16(bytes, at + 6);
    if (bits == 0) {  // older files leave the bit count out and give only the colour count
      int colours = bytes[at + 2];
      bits = colours == 0 ? 8 : 0;
      while (colours > 1) { colours >>= 1; ++bits; }
    }
    images.push_back({bytes[at] == 0 ? 256 : bytes[at], bytes[at + 1] == 0 ? 256 : bytes[at + 1],
                      bits, ReadU16(bytes, at + 12)});
  }
  return images;
}

}  // namespace ormind
