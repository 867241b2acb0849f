#pragma once
// The integer conversion used for settings and for the fields of event dates: leading blanks
// skipped, one sign, "$", "x", "X", "0x" or "0X" for hexadecimal, otherwise decimal digits to
// the end; anything else (an empty text included, or a value out of 32-bit range) fails.
#include <cstdint>
#include <optional>
#include <string_view>

namespace ormind {

std::optional<int32_t> ParseInteger(std::string_view text);

// An integer setting: as ParseInteger, after "0x"/"0X" on a value longer than two characters
// has been read as hexadecimal; `fallback` when the text is not a number.
int32_t ParseIntegerSetting(std::string_view text, int32_t fallback);

}  // namespace ormind
