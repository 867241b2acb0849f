#include "base/integer_text.h"

namespace ormind {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int32_t> ParseInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > 0xFFFFFFFFULL) return std::nullopt;
  }
  if (hex) {
    // Hexadecimal covers the full 32 bits: $FFFFFFFF is -1.
    const auto bits = static_cast<uint32_t>(magnitude);
    const auto value = static_cast<int32_t>(bits);
    return negative ? static_cast<int32_t>(0u - bits) : value;
  }
  if (magnitude > (negative ? 0x80000000ULL : 0x7FFFFFFFULL)) return std::nullopt;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                  : static_cast<int32_t>(magnitude);
}

int32_t ParseIntegerSetting(std::string_view text, int32_t fallback) {
  return ParseInteger(text).value_or(fallback);
}

}  // namespace ormind
