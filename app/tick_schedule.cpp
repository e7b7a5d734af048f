#include "app/tick_schedule.h"

#include <algorithm>

namespace animatsiya {
namespace {

// The most delay made up, in milliseconds of timer time, beyond the frame that a wake
// normally finds due. This machine's odd stalls of 50 ms and more are skipped; shorter
// delays are made up, which at 1 ms costs well under a millisecond of steps.
constexpr int kCatchUpMs = 40;

}  // namespace

TickSchedule::TickSchedule(int intervalMs, Time now) { SetInterval(intervalMs, now); }

void TickSchedule::SetInterval(int intervalMs, Time now) {
  intervalMs_ = std::max(1, intervalMs);
  next_ = now + std::chrono::milliseconds(intervalMs_);
}

int TickSchedule::TicksDue(Time now) {
  if (now < next_) return 0;
  const Time interval = std::chrono::milliseconds(intervalMs_);
  const std::int64_t owed = (now - next_) / interval + 1;
  // Skipped ticks keep their places: the next deadline stays on the same grid.
  next_ += owed * interval;
  const std::int64_t most = std::max(1, (kFrameMs + kCatchUpMs) / intervalMs_);
  return static_cast<int>(std::min(owed, most));
}

}  // namespace animatsiya
