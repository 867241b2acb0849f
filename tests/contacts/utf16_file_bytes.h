#pragma once
// The bytes of a UTF-16 little-endian file with its byte-order mark, made by hand so that the
// readers and writers under test are checked against an encoding they did not produce.
#include <string>
#include <string_view>

namespace ormind::testing {

inline std::string Utf16LeFile(std::u16string_view text) {
  std::string bytes = "\xff\xfe";
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

}  // namespace ormind::testing
