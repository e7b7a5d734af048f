#include <QCoreApplication>

#include <algorithm>

#include "app/frame_timer.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

using std::chrono::milliseconds;
using Time = FrameTimer::Time;

// Timer1 on a clock that the test moves by hand.
class FrameTimerTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    timer = std::make_unique<FrameTimer>(50, nullptr, [this] { return now; });
    QObject::connect(timer.get(), &FrameTimer::timeout, [this] { ++ticks; });
    QObject::connect(timer.get(), &FrameTimer::caughtUp, [this] { ++shown; });
  }

  // Moves the clock on and runs what fell due, as a wake of the timer does.
  int RunAfter(milliseconds wait) {
    now += wait;
    const int before = ticks;
    timer->RunDueTicks();
    return ticks - before;
  }

  static constexpr Time kStart = milliseconds(123'456);
  Time now = kStart;
  std::unique_ptr<FrameTimer> timer;
  int ticks = 0;
  int shown = 0;
};

TEST_F(FrameTimerTest, RunsWhatFellDueOnItsClockAndSkipsLongStalls) {
  EXPECT_EQ(RunAfter(milliseconds(49)), 0);
  EXPECT_EQ(RunAfter(milliseconds(1)), 1);
  EXPECT_EQ(RunAfter(milliseconds(200)), 1);  // at 50 ms a stall runs one tick

  timer->setInterval(1);
  EXPECT_EQ(RunAfter(milliseconds(16)), 16);
  // A wake 40 ms later than its frame makes up every tick; a longer stall is skipped
  // beyond that.
  EXPECT_EQ(RunAfter(milliseconds(16 + 40)), 56);
  EXPECT_EQ(RunAfter(milliseconds(100)), 56);
  EXPECT_EQ(RunAfter(milliseconds(1)), 1);
}

TEST_F(FrameTimerTest, WhatAWakeChangedIsShownOnceAfterItsTicks) {
  RunAfter(milliseconds(50));
  timer->setInterval(1);
  RunAfter(milliseconds(16));
  RunAfter(milliseconds(0));  // nothing fell due: nothing to show
  EXPECT_EQ(ticks, 17);
  EXPECT_EQ(shown, 2);
}

TEST_F(FrameTimerTest, WakesOnTheDeadlineAtNormalSpeedAndOncePerFrameWhenFast) {
  EXPECT_EQ(timer->nextWake(), kStart + milliseconds(50));
  RunAfter(milliseconds(70));  // a late wake does not move the deadlines
  EXPECT_EQ(timer->nextWake(), kStart + milliseconds(100));

  // Switching re-arms from now: the first fast tick falls due 1 ms after the switch,
  // but the wake waits for the frame that began with the last one.
  now = kStart + milliseconds(75);
  timer->setInterval(1);
  EXPECT_EQ(timer->interval(), 1);
  EXPECT_EQ(timer->nextWake(), kStart + milliseconds(86));
  EXPECT_EQ(RunAfter(milliseconds(11)), 11);
  EXPECT_EQ(timer->nextWake(), kStart + milliseconds(102));

  // Back to normal: the fast ticks owed are dropped and the next falls due 50 ms on.
  now += milliseconds(5);
  timer->setInterval(50);
  EXPECT_EQ(timer->nextWake(), kStart + milliseconds(141));
  EXPECT_EQ(RunAfter(milliseconds(49)), 0);
  EXPECT_EQ(RunAfter(milliseconds(1)), 1);
}

TEST_F(FrameTimerTest, NeverRunsTwoTicksAtOnce) {
  timer->setInterval(1);
  int depth = 0;
  int deepest = 0;
  // Ticks that each take 20 ms, spin the event loop and issue a menu command, which
  // runs the ticks that fell due first; so the timer is always behind.
  QObject::connect(timer.get(), &FrameTimer::timeout, [&] {
    deepest = std::max(deepest, ++depth);
    now += milliseconds(20);
    QCoreApplication::processEvents();
    timer->RunDueTicks();
    --depth;
  });
  EXPECT_EQ(RunAfter(milliseconds(16)), 16);
  // Each wake, due at once, comes through the event loop and makes up a frame and 40 ms.
  for (int pass = 0; pass < 100 && ticks < 16 + 3 * 56; ++pass) {
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(deepest, 1);
  EXPECT_GE(ticks, 16 + 3 * 56);
  EXPECT_EQ((ticks - 16) % 56, 0);
}

}  // namespace
}  // namespace animatsiya::testing
