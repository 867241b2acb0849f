#pragma once
// Lengths of UTF-8 text in UTF-16 units: what the system's fixed-size text fields count.
#include <cstddef>
#include <string_view>

namespace ormind {

// Bytes of the longest start of `utf8` that takes at most `maxUnits` UTF-16 units, never
// ending inside a character. A malformed byte counts as one unit and is kept as it is.
std::size_t Utf8PrefixWithinUnits(std::string_view utf8, std::size_t maxUnits);

// UTF-16 units `utf8` takes, counted as above.
std::size_t Utf16UnitCount(std::string_view utf8);

}  // namespace ormind
