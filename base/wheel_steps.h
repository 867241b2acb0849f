#pragma once
// Turning wheel deltas into whole lines to scroll. A classic mouse sends 120 per notch, but
// precision touchpads and smooth-scrolling mice send small deltas (8 to 60) many times a
// second; dividing each of them by 120 would scroll nothing at all. The accumulator keeps what
// did not make a whole line yet, so 40 + 40 + 40 scrolls exactly what one notch of 120 does.
namespace ormind {

// Lines-per-notch values the system can report: WHEEL_PAGESCROLL (UINT_MAX) asks for a page
// per notch, 0 turns wheel scrolling off.
inline constexpr unsigned kWheelScrollsPage = 0xFFFFFFFFu;
inline constexpr int kWheelDeltaPerNotch = 120;

class WheelAccumulator {
 public:
  // Adds a wheel delta (positive: the wheel turned away from the user) and returns the lines to
  // scroll now, positive towards the start of the content. `linesPerNotch` is the system's
  // setting; a page per notch counts as `linesPerPage` lines.
  int Add(int delta, unsigned linesPerNotch, int linesPerPage);
  // Forgets a partial turn (the content changed, or the direction reversed).
  void Reset() { remainder_ = 0; }

 private:
  long long remainder_ = 0;  // delta x lines, not yet a whole line
};

}  // namespace ormind
