#pragma once
// When the program looks at the date again while it runs, and which days it has announced.
#include <chrono>
#include <set>

#include "base/day.h"

namespace ormind {

// The wait from the local time of day given to the next look at the date: just past the next
// midnight, but never more than an hour. A timer counts elapsed time, not the clock: a clock
// that moves without notice, or a day of a daylight-saving change, is caught within the hour.
std::chrono::milliseconds UntilNextDateCheck(int hour, int minute, int second, int millisecond);

// The days looked at and announced in one run.
class DayAnnouncements {
 public:
  // The date read now: true when it differs from the one read last (the first read counts).
  bool DateChanged(Day today);
  // The day could not be looked at (its list missing or unreadable): the next read of the date
  // counts as a change, whatever it says.
  void LookAgain() { looked_ = false; }
  // A day is announced at most once per run, even when the clock comes back to it.
  bool Announced(Day day) const { return announced_.count(day) > 0; }
  void MarkAnnounced(Day day) { announced_.insert(day); }

 private:
  bool looked_ = false;
  Day last_ = 0;
  std::set<Day> announced_;
};

}  // namespace ormind
