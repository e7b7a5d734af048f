#include <QCoreApplication>
#include <QTest>

#include <chrono>
#include <thread>

#include "app/frame_timer.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST(FrameTimerCatchUp, MakesUpShortDelaysAndSkipsLongStalls) {
  struct Row {
    std::uint64_t owed;
    int intervalMs;
    std::uint64_t run;
  };
  const Row rows[] = {
      {1, 1, 1},   {3, 1, 3},   {40, 1, 40},  // a short delay is made up tick by tick
      {41, 1, 40}, {190, 1, 40},              // a stall is skipped
      {1, 50, 1},  {2, 50, 1},  {4, 50, 1},  // at 50 ms a late tick runs once
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FrameTimer::TicksToRun(row.owed, row.intervalMs), row.run)
        << row.owed << " owed at " << row.intervalMs << " ms";
  }
}

class FrameTimerTest : public WindowTest {};

TEST_F(FrameTimerTest, NeverRunsTwoTicksAtOnce) {
  FrameTimer timer(1);
  int ticks = 0;
  int depth = 0;
  int deepest = 0;
  QObject::connect(&timer, &FrameTimer::timeout, [&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    // A tick that spins the event loop while the timer keeps falling due.
    if (ticks < 20) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      QCoreApplication::processEvents();
    }
    --depth;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 20; }, 5000));
  EXPECT_EQ(deepest, 1);
}

TEST_F(FrameTimerTest, AfterAStallRunsAFewTicksNotAllThatFellDue) {
  FrameTimer timer(1);
  int ticks = 0;
  Clock::time_point stallEnd{};
  int ticksAtStallEnd = 0;
  QObject::connect(&timer, &FrameTimer::timeout, [&] {
    if (++ticks == 5) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      stallEnd = Clock::now();
      ticksAtStallEnd = ticks;
    }
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 5; }, 5000));
  QTest::qWait(10);
  const auto sinceStall =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - stallEnd).count();
  // Some 100 ticks fell due during the stall. The wake that ran the stalled tick and the
  // next one may each make up a few; beyond that, one tick per millisecond since.
  const auto most = static_cast<long>(FrameTimer::TicksToRun(1000, 1));
  EXPECT_LE(ticks - ticksAtStallEnd, 2 * most + sinceStall + 1);
}

TEST_F(FrameTimerTest, ChangingTheIntervalRearmsFromNow) {
  FrameTimer timer(50);
  int ticks = 0;
  QObject::connect(&timer, &FrameTimer::timeout, [&] { ++ticks; });
  timer.setInterval(1);
  EXPECT_EQ(timer.interval(), 1);
  // At 50 ms this many ticks would take over a second.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 20; }, 1000));
}

}  // namespace
}  // namespace animatsiya::testing
