#include "ui/tray/rules/date_change.h"

#include <algorithm>

namespace ormind {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kDay = std::chrono::hours(24);
constexpr milliseconds kLongestWait = std::chrono::hours(1);
// Looked at a little after midnight: a timer that fires a moment early would still see the
// old date (and then waits the moment that is left).
constexpr milliseconds kPastMidnight{500};

}  // namespace

milliseconds UntilNextDateCheck(int hour, int minute, int second, int millisecond) {
  const milliseconds now = std::chrono::hours(hour) + std::chrono::minutes(minute) +
                           std::chrono::seconds(second) + milliseconds(millisecond);
  const milliseconds untilMidnight = std::clamp(kDay - now, milliseconds(0), kDay);
  return std::min(untilMidnight + kPastMidnight, kLongestWait);
}

bool DayAnnouncements::DateChanged(Day today) {
  if (looked_ && today == last_) return false;
  looked_ = true;
  last_ = today;
  return true;
}

}  // namespace ormind
