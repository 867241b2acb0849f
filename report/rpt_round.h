#pragma once
// The report engine's rounding: to the nearest integer, halves to the even neighbour.
#include <cmath>
#include <cstdint>

namespace ormind {

inline int32_t RptRound(long double value) {
  // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
  return static_cast<int32_t>(std::nearbyintl(value));
}

}  // namespace ormind
