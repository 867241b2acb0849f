#pragma once
// Local date and time as a day count with the time of day as its fraction.
#include <string>

#include "base/day.h"

namespace ormind {

// Now, on the local clock.
Day LocalNowAsDay();

// "YYYY-MM-DD HH:MM:SS" for a day count with a time fraction.
std::string FormatDayTime(Day moment);

}  // namespace ormind
