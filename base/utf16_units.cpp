#include "base/utf16_units.h"

#include <limits>

namespace ormind {
namespace {

// Length in bytes of the UTF-8 sequence starting with `lead` (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

struct Walk {
  std::size_t bytes = 0, units = 0;
};

// Walks whole characters while they fit in `maxUnits`.
Walk WalkWithin(std::string_view text, std::size_t maxUnits) {
  Walk walk;
  while (walk.bytes < text.size()) {
    std::size_t length = SequenceLength(static_cast<unsigned char>(text[walk.bytes]));
    if (walk.bytes + length > text.size()) length = 1;  // truncated sequence: the stray byte
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[walk.bytes + i]) & 0xC0) != 0x80) {
        length = 1;
        break;
      }
    }
    const std::size_t needed = length == 4 ? 2 : 1;  // beyond U+FFFF: a surrogate pair
    if (walk.units + needed > maxUnits) break;
    walk.units += needed;
    walk.bytes += length;
  }
  return walk;
}

}  // namespace

std::size_t Utf8PrefixWithinUnits(std::string_view utf8, std::size_t maxUnits) {
  return WalkWithin(utf8, maxUnits).bytes;
}

std::size_t Utf16UnitCount(std::string_view utf8) {
  return WalkWithin(utf8, std::numeric_limits<std::size_t>::max()).units;
}

}  // namespace ormind
