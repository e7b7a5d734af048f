#pragma once

#include <QObject>

#include <cstdint>

class QSocketNotifier;

namespace animatsiya {

// Timer1: a periodic timer on absolute deadlines. A plain QTimer rounds its waits up and
// restarts a late timer from "now", so at 1 ms it falls well short of 1000 ticks a second;
// a timerfd keeps the deadlines on the clock and tells how many of them fell due.
class FrameTimer : public QObject {
  Q_OBJECT

 public:
  explicit FrameTimer(int intervalMs, QObject* parent = nullptr);
  ~FrameTimer() override;
  FrameTimer(const FrameTimer&) = delete;
  FrameTimer& operator=(const FrameTimer&) = delete;

  // Re-arms the timer from now with the new interval.
  void setInterval(int intervalMs);
  int interval() const { return intervalMs_; }

  // How many of the ticks owed to run now: all of them after a short delay, but no more
  // than 40 milliseconds' worth after a long stall, which is skipped rather than raced.
  static std::uint64_t TicksToRun(std::uint64_t owed, int intervalMs);

 signals:
  void timeout();

 private:
  void OnReadable();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  int intervalMs_ = 0;
};

}  // namespace animatsiya
