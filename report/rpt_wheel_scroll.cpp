#include "report/rpt_wheel_scroll.h"

namespace ormind {

int32_t TRptWheelScroll::Lines(int32_t delta, int32_t linesPerNotch) {
  // A turn in the other direction starts afresh instead of first paying back the remainder.
  if ((delta > 0 && fRemainder < 0) || (delta < 0 && fRemainder > 0)) fRemainder = 0;
  fRemainder += static_cast<int64_t>(delta) * linesPerNotch;
  const int64_t lines = fRemainder / kNotch;  // truncates towards zero on both sides
  fRemainder -= lines * kNotch;
  return static_cast<int32_t>(-lines);
}

}  // namespace ormind
