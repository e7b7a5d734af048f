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

  // The adapters run the ticks that fell due about once per display frame of this length,
  // rather than waking for each tick.
  static constexpr int kFrameMs = 16;

  // The first tick falls due one interval after now.
  TickSchedule(int intervalMs, Time now);

  // Re-arms from now: ticks still owed are dropped and the next falls due one new
  // interval after now.
  void SetInterval(int intervalMs, Time now);
  int intervalMs() const { return intervalMs_; }

  // How many ticks to run now; they count as run. Besides a frame's worth, a delay of up
  // to 40 milliseconds is made up tick by tick; the rest of a longer stall is skipped
  // rather than raced. At least one tick runs whenever any fell due.
  int TicksDue(Time now);

  // When the next tick falls due; TicksDue gives nothing before it.
  Time NextDeadline() const { return next_; }

 private:
  int intervalMs_ = 0;
  Time next_{};
};

}  // namespace animatsiya
