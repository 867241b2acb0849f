#pragma once
// Turning wheel movement into whole scroll lines. Wheels with fine steps send deltas smaller
// than one notch (120); the part that does not make a whole line yet is kept for the next
// message, so slow turning still scrolls and fast turning scrolls exactly as far as turned.
#include <cstdint>

namespace ormind {

class TRptWheelScroll {
 public:
  static constexpr int32_t kNotch = 120;

  // Lines to scroll for a wheel delta (positive: towards the user's top, so the result is
  // negative), with `linesPerNotch` lines for each whole notch.
  int32_t Lines(int32_t delta, int32_t linesPerNotch);

 private:
  int64_t fRemainder = 0;  // in 1/120 of a line
};

}  // namespace ormind
