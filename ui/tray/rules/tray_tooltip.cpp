#include "ui/tray/rules/tray_tooltip.h"

namespace ormind {
namespace {

// Length in bytes of the UTF-8 sequence starting with `lead` (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::string_view ShortHint(std::string_view hint) {
  const std::size_t bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(0, bar);
}

std::string TrayTooltip(std::string_view hint) {
  const std::string_view text = ShortHint(hint);
  std::size_t bytes = 0, units = 0;
  while (bytes < text.size()) {
    std::size_t length = SequenceLength(static_cast<unsigned char>(text[bytes]));
    if (bytes + length > text.size()) length = 1;  // truncated sequence: take the stray byte
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[bytes + i]) & 0xC0) != 0x80) { length = 1; break; }
    }
    const std::size_t needed = length == 4 ? 2 : 1;  // beyond U+FFFF: a surrogate pair
    if (units + needed > kTooltipMaxUnits) break;
    units += needed;
    bytes += length;
  }
  return std::string(text.substr(0, bytes));
}

}  // namespace ormind
