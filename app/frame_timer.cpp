#include "app/frame_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QtGlobal>

#include <algorithm>

namespace animatsiya {
namespace {

// The most ticks made up at once, in milliseconds of timer time. This machine's odd
// stalls of 50 ms and more are skipped; shorter delays are made up, which at 1 ms costs
// well under a millisecond of steps.
constexpr int kCatchUpMs = 40;

}  // namespace

FrameTimer::FrameTimer(int intervalMs, QObject* parent) : QObject(parent) {
  setObjectName(QStringLiteral("Timer1"));
  fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (fd_ < 0) qFatal("Timer1: timerfd_create failed");
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &FrameTimer::OnReadable);
  setInterval(intervalMs);
}

FrameTimer::~FrameTimer() {
  delete notifier_;
  close(fd_);
}

void FrameTimer::setInterval(int intervalMs) {
  intervalMs_ = intervalMs;
  const timespec period{intervalMs / 1000, static_cast<long>(intervalMs % 1000) * 1'000'000};
  const itimerspec schedule{period, period};
  timerfd_settime(fd_, 0, &schedule, nullptr);
}

std::uint64_t FrameTimer::TicksToRun(std::uint64_t owed, int intervalMs) {
  const auto most = static_cast<std::uint64_t>(std::max(1, kCatchUpMs / intervalMs));
  return std::min(owed, most);
}

void FrameTimer::OnReadable() {
  std::uint64_t expirations = 0;
  if (read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
  // No tick starts inside another, even one that spins the event loop.
  notifier_->setEnabled(false);
  for (auto n = TicksToRun(expirations, intervalMs_); n > 0; --n) emit timeout();
  notifier_->setEnabled(true);
}

}  // namespace animatsiya
