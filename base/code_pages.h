#pragma once
// The upper halves (0x80..0xFF) of the Windows 8-bit code pages 1251 and 1252. Bytes the code
// page leaves undefined map to the C1 control of the same value, as the platform does, so that
// every byte survives a round trip.
#include <array>
#include <cstdint>

namespace ormind {

using CodePageHalf = std::array<char16_t, 128>;

const CodePageHalf& UpperHalfOf(int codePage);  // 1251, else 1252

}  // namespace ormind
