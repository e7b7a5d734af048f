#include "app/tick_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace animatsiya {
namespace {

using Time = TickSchedule::Time;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// The clock starts at an odd time so that no case leans on an epoch of zero.
constexpr Time kStart = microseconds(7'654'321);

Time At(microseconds since) { return kStart + since; }

struct Wake {
  microseconds at;  // after the schedule was made
  int ticks;        // expected TicksDue
};

struct Timeline {
  const char* what;
  int intervalMs;
  std::vector<Wake> wakes;
};

TEST(TickScheduleTest, RunsWhatFellDueUpToFortyMillisecondsWorth) {
  const Timeline timelines[] = {
      {"nothing before the first deadline, one on it",
       50,
       {{microseconds(49'999), 0}, {milliseconds(50), 1}, {milliseconds(50), 0},
        {microseconds(99'999), 0}, {milliseconds(100), 1}}},
      {"a late wake does not move later deadlines",
       50,
       {{milliseconds(80), 1}, {microseconds(99'999), 0}, {milliseconds(100), 1}}},
      {"at 50 ms a stall runs one tick",
       50,
       {{milliseconds(260), 1}, {milliseconds(299), 0}, {milliseconds(300), 1}}},
      {"at 1 ms a display frame's worth runs at once",
       1,
       {{milliseconds(16), 16}, {microseconds(32'500), 16}, {milliseconds(33), 1}}},
      {"a wake 40 ms later than a frame makes up every tick",
       1,
       {{milliseconds(56), 56}, {milliseconds(57), 1}}},
      {"a longer stall makes up a frame and 40 ms and skips the rest for good",
       1,
       {{milliseconds(57), 56}, {milliseconds(57), 0}, {milliseconds(58), 1},
        {milliseconds(258), 56}, {milliseconds(259), 1}}},
      {"an interval of 20 ms makes up two",
       20,
       {{milliseconds(100), 2}, {milliseconds(119), 0}, {milliseconds(120), 1}}},
  };
  for (const Timeline& timeline : timelines) {
    TickSchedule schedule(timeline.intervalMs, kStart);
    for (const Wake& wake : timeline.wakes) {
      EXPECT_EQ(schedule.TicksDue(At(wake.at)), wake.ticks)
          << timeline.what << ", at " << wake.at.count() << " us";
    }
  }
}

TEST(TickScheduleTest, NextDeadlineIsWhereTheNextTickFallsDue) {
  TickSchedule schedule(1, kStart);
  EXPECT_EQ(schedule.NextDeadline(), At(milliseconds(1)));
  schedule.TicksDue(At(microseconds(16'400)));
  EXPECT_EQ(schedule.NextDeadline(), At(milliseconds(17)));
  // After a stall the deadline comes after the stall, not at the first skipped tick.
  schedule.TicksDue(At(milliseconds(500)));
  EXPECT_EQ(schedule.NextDeadline(), At(milliseconds(501)));
}

TEST(TickScheduleTest, ChangingTheIntervalRearmsFromNowAndDropsWhatWasOwed) {
  TickSchedule schedule(50, kStart);
  // 30 ms into a normal interval the fast speed is chosen.
  schedule.SetInterval(1, At(milliseconds(30)));
  EXPECT_EQ(schedule.intervalMs(), 1);
  EXPECT_EQ(schedule.NextDeadline(), At(milliseconds(31)));
  EXPECT_EQ(schedule.TicksDue(At(microseconds(30'999))), 0);
  EXPECT_EQ(schedule.TicksDue(At(milliseconds(40))), 10);

  // Back to normal with five fast ticks owed: none of them runs.
  schedule.SetInterval(50, At(milliseconds(45)));
  EXPECT_EQ(schedule.NextDeadline(), At(milliseconds(95)));
  EXPECT_EQ(schedule.TicksDue(At(milliseconds(94))), 0);
  EXPECT_EQ(schedule.TicksDue(At(milliseconds(95))), 1);
}

TEST(TickScheduleTest, RunsATickPerIntervalOverALongRun) {
  // An hour at 1 ms, woken once per 16 ms display frame: every tick runs once.
  TickSchedule schedule(1, kStart);
  long ticks = 0;
  microseconds last{};
  for (microseconds at{16'667}; at <= std::chrono::hours(1); at += microseconds(16'667)) {
    ticks += schedule.TicksDue(At(at));
    last = at;
  }
  EXPECT_EQ(ticks, last / milliseconds(1));
  EXPECT_GT(ticks, 3'599'000);
}

}  // namespace
}  // namespace animatsiya
