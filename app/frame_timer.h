#pragma once

#include <QObject>

#include <functional>

#include "app/tick_schedule.h"

class QTimer;

namespace animatsiya {

// Timer1: runs the ticks of a TickSchedule on the clock it is given. At the fast speed it
// wakes once per display frame and runs, in order, every tick that fell due meanwhile,
// rather than waking a thousand times a second; the steps per second stay the same.
class FrameTimer : public QObject {
  Q_OBJECT

 public:
  using Time = TickSchedule::Time;
  using Clock = std::function<Time()>;

  // The monotonic clock of this machine.
  static Time MonotonicNow();

  explicit FrameTimer(int intervalMs, QObject* parent = nullptr, Clock clock = MonotonicNow);

  // Re-arms the timer from now with the new interval.
  void setInterval(int intervalMs);
  int interval() const { return schedule_.intervalMs(); }

  // Runs the ticks that fell due by now, then plans the next wake. A menu command calls it
  // first, so that it falls after the ticks that were due before it, as without batching.
  // A call from inside a tick runs nothing: two ticks never run at once.
  void RunDueTicks();

  // When the timer wakes next: the next deadline, but no sooner than a display frame after
  // the last wake.
  Time nextWake() const;

 signals:
  // One tick.
  void timeout();
  // The ticks of one wake have run: what they changed can be shown.
  void caughtUp();

 private:
  void Arm();

  Clock clock_;
  TickSchedule schedule_;
  QTimer* wake_ = nullptr;
  Time lastWake_;
  bool running_ = false;
};

}  // namespace animatsiya
