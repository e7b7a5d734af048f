#include "app/frame_timer.h"

#include <QTimer>

#include <algorithm>

namespace animatsiya {
namespace {

// A screen shows at most its refresh rate, so fast ticks are gathered into wakes about
// one frame apart.
constexpr FrameTimer::Time kFrame = std::chrono::milliseconds(TickSchedule::kFrameMs);

}  // namespace

FrameTimer::Time FrameTimer::MonotonicNow() {
  return std::chrono::duration_cast<Time>(
      std::chrono::steady_clock::now().time_since_epoch());
}

FrameTimer::FrameTimer(int intervalMs, QObject* parent, Clock clock)
    : QObject(parent), clock_(std::move(clock)), schedule_(intervalMs, clock_()) {
  setObjectName(QStringLiteral("Timer1"));
  lastWake_ = clock_() - kFrame;
  wake_ = new QTimer(this);
  wake_->setSingleShot(true);
  wake_->setTimerType(Qt::PreciseTimer);
  connect(wake_, &QTimer::timeout, this, &FrameTimer::RunDueTicks);
  Arm();
}

void FrameTimer::setInterval(int intervalMs) {
  schedule_.SetInterval(intervalMs, clock_());
  if (!running_) Arm();
}

FrameTimer::Time FrameTimer::nextWake() const {
  return std::max(schedule_.NextDeadline(), lastWake_ + kFrame);
}

void FrameTimer::RunDueTicks() {
  if (running_) return;
  running_ = true;
  const Time now = clock_();
  lastWake_ = now;
  const int due = schedule_.TicksDue(now);
  for (int n = 0; n < due; ++n) emit timeout();
  if (due > 0) emit caughtUp();
  running_ = false;
  Arm();
}

void FrameTimer::Arm() {
  // Rounded up, so that the wake does not come before the tick is due.
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextWake() - clock_());
  wake_->start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
}

}  // namespace animatsiya
