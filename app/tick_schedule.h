#pragma once

#include <chrono>
#include <cstdint>

namespace animatsiya {

// Timer1's timing policy, with the time passed in: ticks fall due on absolute deadlines
// one interval apart, so a late wake does not push later ticks back. The adapter that
// wakes (a Qt timer, a browser's animation frame) asks how many ticks are due and runs
// them in order.
class TickSchedule {
 public:
  // Any fixed epoch will do; only differences count.
  using Time = std::chrono::microseconds;

  // The first tick falls due one interval after now.
  TickSchedule(int intervalMs, Time now);

  // Re-arms from now: ticks still owed are dropped and the next falls due one new
  // interval after now.
  void SetInterval(int intervalMs, Time now);
  int intervalMs() const { return intervalMs_; }

  // How many ticks to run now; they count as run. After a short delay every tick that
  // fell due is made up, but no more than 40 milliseconds' worth after a long stall,
  // which is skipped rather than raced. At least one tick runs whenever any fell due.
  int TicksDue(Time now);

  // When the next tick falls due; TicksDue gives nothing before it.
  Time NextDeadline() const { return next_; }

 private:
  int intervalMs_ = 0;
  Time next_{};
};

}  // namespace animatsiya
