#include "base/wheel_steps.h"

#include <algorithm>

namespace ormind {

int WheelAccumulator::Add(int delta, unsigned linesPerNotch, int linesPerPage) {
  if (linesPerNotch == 0 || delta == 0) return 0;
  const long long lines =
      linesPerNotch == kWheelScrollsPage ? std::max(linesPerPage, 1) : static_cast<long long>(linesPerNotch);
  // Turning back throws away the part turned the other way, as the system's own lists do.
  if ((remainder_ > 0 && delta < 0) || (remainder_ < 0 && delta > 0)) remainder_ = 0;
  remainder_ += static_cast<long long>(delta) * lines;
  const long long whole = remainder_ / kWheelDeltaPerNotch;  // truncates towards zero
  remainder_ -= whole * kWheelDeltaPerNotch;
  return static_cast<int>(whole);
}

}  // namespace ormind
