#pragma once
// The report engine's rounding: to the nearest integer, halves to the even neighbour.
#include <cmath>
#include <cstdint>
#include <limits>

namespace ormind {

inline int32_t RptRound(long double value) {
  // Values beyond the integer range (a division by a size of 0 among them) stay at its ends
  // instead of converting to an undefined result; not-a-number counts as the lower end.
  constexpr int32_t kLow = std::numeric_limits<int32_t>::min();
  constexpr int32_t kHigh = std::numeric_limits<int32_t>::max();
  if (!(value > kLow)) return kLow;
  if (value >= kHigh) return kHigh;
  // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
  return static_cast<int32_t>(std::nearbyintl(value));
}

}  // namespace ormind
