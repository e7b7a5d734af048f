#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "scenes/shared_routines.h"
#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

struct MoveCase {
  int x, dirX, y, dirY, yLimit;
  int wantX, wantDirX, wantY, wantDirY;
};

class MoveUfoTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveUfoTest, TurnsOnlyAfterPassingABound) {
  const MoveCase& c = GetParam();
  AnimationState s{};
  s.ufoX = c.x;
  s.ufoDirX = c.dirX;
  s.ufoY = c.y;
  s.ufoDirY = c.dirY;
  MoveUfo(s, c.yLimit);
  EXPECT_EQ(s.ufoX, c.wantX);
  EXPECT_EQ(s.ufoDirX, c.wantDirX);
  EXPECT_EQ(s.ufoY, c.wantY);
  EXPECT_EQ(s.ufoDirY, c.wantDirY);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, MoveUfoTest,
    ::testing::Values(
        MoveCase{9870, 1, 1000, 1, 7999, 10000, 0, 1130, 1},  // reaches 10000: turns left
        MoveCase{9869, 1, 1000, 1, 7999, 9999, 1, 1130, 1},   // 9999: goes on
        MoveCase{180, 0, 1000, 0, 7999, 50, 1, 870, 0},       // reaches 50: turns right
        MoveCase{181, 0, 1000, 0, 7999, 51, 0, 870, 0},       // 51: goes on
        MoveCase{0, 0, 1000, 1, 7999, -130, 1, 1130, 1},      // from 0 leftwards
        MoveCase{5000, 1, 7870, 1, 7999, 5130, 1, 8000, 0},   // 8000 over 7999: turns up
        MoveCase{5000, 1, 7869, 1, 7999, 5130, 1, 7999, 1},
        MoveCase{5000, 1, 4870, 1, 4999, 5130, 1, 5000, 0},   // 5000 over 4999: turns up
        MoveCase{5000, 1, 4869, 1, 4999, 5130, 1, 4999, 1},
        MoveCase{5000, 1, 180, 0, 4999, 5130, 1, 50, 1},      // reaches 50: turns down
        MoveCase{5000, 1, 6000, 1, 4999, 5130, 1, 6130, 0})); // from scene 1, deep below

// Each saucer's cycle, by the value of its counter after the increment: it spawns on
// `spawn`, is beamed from `beam` for six ticks, bursts and is hidden on `reset`, which
// also starts the next cycle. The counters all start at 0 with the scene's first tick.
struct SaucerTimeline {
  ElementId sprite;
  int spawn;
  bool reseedsAtSpawn;
  int beam;
  int reset;
  int firstSpawnLeft;  // where the sprite shows on its first spawn, at the top edge
};

const SaucerTimeline kTimelines[] = {
    {Image2, 30, true, 100, 110, 12000},
    {Image5, 40, false, 110, 120, 0},
    {Image6, 50, false, 120, 130, 0},
};

// What one tick of the scene leaves on the stage, and what it drew and reported.
struct UfoFrame {
  Element ufo;
  Element saucers[3];
  std::vector<Line> lines;
  int clears;
  std::vector<Draw> draws;
  std::vector<std::size_t> reseeds;
};

class UfoSceneTest : public FrameTest<UfoFrame> {
 protected:
  // Each frame holds only the events of its own tick.
  UfoFrame Look() override {
    UfoFrame f{stage.element(Image1), {}, log.lines, log.clears, log.draws, log.reseeds};
    for (int k = 0; k < 3; ++k) f.saucers[k] = stage.element(kTimelines[k].sprite);
    log.Reset();
    return f;
  }
};

// A saucer's flight as the stage shows it: the spawn draws its top, stop x and direction;
// from then on it goes 160 left and 150 up or down per tick while its left is above the
// stop x, turning below 50 and above 8000.
struct Flight {
  int stopX = 0;
  bool down = false;

  void Turn(int top) {
    if (top > 8000) down = false;
    if (top < 50) down = true;
  }
};

// Runs scene 1 over ten and more cycles of every saucer and checks each tick against the
// saucers' timelines: waiting hidden, spawn, flight, beam, burst, reset. A saucer is placed
// at the start of a step with the values of the step before, so what a step made of it
// shows on the next frame.
TEST_F(UfoSceneTest, EverySaucerFollowsItsTimelineTickByTick) {
  constexpr int kTicks = 1400;
  std::vector<UfoFrame> frames{Look()};  // frames[t] is the frame after tick t
  for (UfoFrame& f : Run(kTicks + 1)) frames.push_back(std::move(f));
  Flight flights[3];
  for (int t = 1; t <= kTicks; ++t) {
    SCOPED_TRACE("tick " + std::to_string(t));
    const UfoFrame& f = frames[t];
    ASSERT_EQ(f.clears, 1);
    std::vector<Line> lines;
    std::vector<int> drawn;
    std::vector<std::size_t> reseeds;
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE("saucer " + std::to_string(k + 1));
      const SaucerTimeline& w = kTimelines[k];
      const int c = t % w.reset;
      const Element& e = f.saucers[k];
      const Element& before = frames[t - 1].saucers[k];
      const Element& after = frames[t + 1].saucers[k];
      Flight& flight = flights[k];
      ASSERT_EQ(e.visible, c >= w.spawn);
      if (e.visible) {
        ASSERT_EQ(e.picture, c >= w.beam + 6 ? PictureId::Image3 : PictureId::Image4);
      }
      EXPECT_GE(e.top, -150);
      EXPECT_LE(e.top, 8150);
      if (c == w.spawn) {
        // Shown where it ended its last cycle; the spawn's own flight step shows next.
        EXPECT_EQ(e.left, before.left);
        EXPECT_EQ(e.top, before.top);
        if (t == w.spawn) {
          EXPECT_EQ(e.left, w.firstSpawnLeft);
          EXPECT_EQ(e.top, 0);
        }
        if (w.reseedsAtSpawn) reseeds.push_back(drawn.size());
        const std::size_t at = drawn.size();
        drawn.insert(drawn.end(), {8000, 8000, 2});
        ASSERT_GE(f.draws.size(), drawn.size());
        flight = {f.draws[at + 1].value, f.draws[at + 2].value == 1};
        EXPECT_EQ(after.left, 12000 - 160);
        EXPECT_EQ(after.top, f.draws[at].value + (flight.down ? 150 : -150));
        flight.Turn(after.top);
      }
      if (c > w.spawn && c < w.reset - 1) {
        if (e.left > flight.stopX) {
          EXPECT_EQ(after.left, e.left - 160);
          EXPECT_EQ(after.top, e.top + (flight.down ? 150 : -150));
          flight.Turn(after.top);
        } else {
          EXPECT_EQ(after.left, e.left);
          EXPECT_EQ(after.top, e.top);
          EXPECT_GT(e.left, flight.stopX - 160);
        }
      }
      if (c >= w.beam && c < w.beam + 6) {
        for (int i = 1; i <= 60; ++i) {
          lines.push_back({f.ufo.left + 200 + i, f.ufo.top + 200 + i, after.left + 200 + i,
                           after.top + 200 + i});
        }
      }
    }
    EXPECT_EQ(f.lines, lines);
    std::vector<int> ns;
    for (const Draw& d : f.draws) ns.push_back(d.n);
    EXPECT_EQ(ns, drawn);
    EXPECT_EQ(f.reseeds, reseeds);
  }
}

// A saucer turns only once past its bounds: above 8000 and below 50, not on them.
TEST_F(AnimationTest, SaucerTurnsOnlyBeyondItsBounds) {
  struct Row {
    int y, dirY;
    std::vector<int> ys;  // after each tick
  };
  const Row rows[] = {{7850, 1, {8000, 8150, 8000}}, {200, 0, {50, -100, 50}}};
  while (s.saucer1Tick != 30) animation.Tick();
  s.saucer1StopX = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.y);
    s.saucer1Y = row.y;
    s.saucer1DirY = row.dirY;
    for (int y : row.ys) {
      animation.Tick();
      EXPECT_EQ(s.saucer1Y, y);
    }
  }
}

// With a stop x below 800 the saucer is still flying on its first beam ticks: the beam
// ends where this tick's flight took it, the sprite stands where the step placed it.
TEST_F(AnimationTest, SaucerStillInFlightIsBeamedWhereItFlewTo) {
  while (s.saucer1Tick != 30) animation.Tick();
  s.saucer1StopX = 100;
  s.saucer1DirY = 1;
  s.saucer1Y = 1000;
  while (s.saucer1Tick != 99) animation.Tick();
  animation.Tick();  // tick 100: the first beam
  ASSERT_EQ(s.saucer1Tick, 100);
  EXPECT_GT(s.saucer1X, 100);
  EXPECT_EQ(stage.element(Image2).left, s.saucer1X + 160);
  ASSERT_EQ(log.lines.size(), 60u);
  EXPECT_EQ(log.lines[0], (Line{s.ufoX + 201, s.ufoY + 201, s.saucer1X + 201, s.saucer1Y + 201}));
  EXPECT_EQ(log.lines[59], (Line{s.ufoX + 260, s.ufoY + 260, s.saucer1X + 260, s.saucer1Y + 260}));
}

// Away for a tick and back: the counters go on from where they were, and on the first
// tick back a saucer is shown again if its counter is then from its spawn to two below
// its reset.
struct ReturnCase {
  const char* what;
  int ticksBefore;  // in scene 1 from its start
  int otherScene;
  ElementId sprite;
  std::vector<bool> visibleBack;  // on each tick back
};

class UfoReturnTest : public AnimationTest, public ::testing::WithParamInterface<ReturnCase> {};

TEST_P(UfoReturnTest, CountersGoOnAndSaucersShowAsTheirTimelineSays) {
  const ReturnCase& c = GetParam();
  TickIn(1, c.ticksBefore);
  TickIn(c.otherScene, 1);
  EXPECT_FALSE(stage.element(c.sprite).visible);
  animation.ChooseScene(1);
  for (std::size_t i = 0; i < c.visibleBack.size(); ++i) {
    animation.Tick();
    EXPECT_EQ(stage.element(c.sprite).visible, c.visibleBack[i]) << "tick back " << i + 1;
  }
  const int ticks = c.ticksBefore + static_cast<int>(c.visibleBack.size());
  EXPECT_EQ(s.saucer1Tick, ticks % 110);
  EXPECT_EQ(s.saucer2Tick, ticks % 120);
  EXPECT_EQ(s.saucer3Tick, ticks % 130);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UfoReturnTest,
    ::testing::Values(
        // Back on 109: its fragments are not seen; hidden and reset on 110.
        ReturnCase{"about_to_reset", 108, 2, Image2, {false, false}},
        ReturnCase{"mid_flight", 60, 3, Image5, {true, true}},
        ReturnCase{"spawning", 29, 4, Image2, {true}},
        ReturnCase{"waiting", 20, 5, Image6, {false, false}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(AnimationTest, UfoSceneShowsOnlyTheUfoAndSaucers) {
  for (int t = 0; t < 300; ++t) animation.Tick();
  // Every other element is hidden: the picture stores from the start, the rest by the
  // step's groups.
  for (int id = Image3; id <= Label1; ++id) {
    if (id == Image5 || id == Image6) continue;
    EXPECT_FALSE(stage.element(static_cast<ElementId>(id)).visible) << id;
  }
  EXPECT_TRUE(stage.element(Image1).visible);
  EXPECT_EQ(stage.element(Image1).left, s.ufoX);
  EXPECT_EQ(stage.element(Image1).top, s.ufoY);
}

}  // namespace
}  // namespace animatsiya::testing
