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

// Lines of one tick, in call order.
struct LineLog : StageObserver {
  void OnDrawLine(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
  void OnClearDrawing() override { ++clears; }
  std::vector<std::array<int, 4>> lines;
  int clears = 0;
};

struct Saucer {
  ElementId sprite;
  Int16 AnimationState::*tick;
  Int16 AnimationState::*x;
  Int16 AnimationState::*y;
  Int16 AnimationState::*stopX;
  int spawn, beam, reset;
  int firstSpawnX, firstSpawnY;  // where the sprite shows on its first spawn
};

using S = AnimationState;
const Saucer kSaucers[] = {
    {Image2, &S::saucer1Tick, &S::saucer1X, &S::saucer1Y, &S::saucer1StopX, 30, 100, 110, 12000, 0},
    {Image5, &S::saucer2Tick, &S::saucer2X, &S::saucer2Y, &S::saucer2StopX, 40, 110, 120, 0, 0},
    {Image6, &S::saucer3Tick, &S::saucer3X, &S::saucer3Y, &S::saucer3StopX, 50, 120, 130, 0, 0},
};

class SaucerCycleTest : public AnimationTest, public ::testing::WithParamInterface<Saucer> {};

// Runs scene 1 over several cycles of every saucer and checks each tick against the
// saucer's timeline: waiting hidden, spawn, flight, beam, burst, reset.
TEST_P(SaucerCycleTest, FollowsItsTimelineTickByTick) {
  const Saucer& w = GetParam();
  LineLog log;
  stage.SetObserver(&log);
  int spawns = 0;
  for (int t = 1; t <= 1400; ++t) {
    const int oldX = s.*w.x, oldY = s.*w.y;
    log.lines.clear();
    log.clears = 0;
    animation.Tick();
    const int c = s.*w.tick;
    const Element& e = stage.element(w.sprite);
    ASSERT_EQ(log.clears, 1);
    ASSERT_EQ(c, t % w.reset) << "tick " << t;
    // Placed at the start of the step with the values of the step before.
    ASSERT_EQ(e.left, oldX);
    ASSERT_EQ(e.top, oldY);
    const bool live = c >= w.spawn && c <= w.reset - 1;
    ASSERT_EQ(e.visible, live) << "c " << c;
    if (c == w.spawn) {
      if (spawns++ == 0) {
        EXPECT_EQ(e.left, w.firstSpawnX);
        EXPECT_EQ(e.top, w.firstSpawnY);
      }
      EXPECT_EQ(s.*w.x, 11840);  // 12000 and the first flight step
    }
    if (live) {
      ASSERT_EQ(e.picture, c >= w.beam + 6 ? PictureId::Image3 : PictureId::Image4) << c;
    }
    if (c > w.spawn && c < w.beam) {
      const bool flew = oldX > s.*w.stopX + 0 && s.*w.x != oldX;
      ASSERT_TRUE(flew || s.*w.x <= s.*w.stopX);
    }
    if (c >= w.beam && c < w.beam + 6) {
      int mine = 0;
      for (const auto& line : log.lines) {
        if (line[2] - 200 - (line[0] - 200 - s.ufoX) != s.*w.x) continue;
        ++mine;
        const int i = line[0] - 200 - s.ufoX;
        EXPECT_EQ(line[1], s.ufoY + 200 + i);
        EXPECT_EQ(line[3], s.*w.y + 200 + i);
      }
      EXPECT_GE(mine, 60) << "c " << c;
    }
  }
  EXPECT_GE(spawns, 10);
  stage.SetObserver(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Saucers, SaucerCycleTest, ::testing::ValuesIn(kSaucers));

TEST_F(AnimationTest, FlightEndsJustAtOrBelowTheStopX) {
  while (s.saucer1Tick != 99) animation.Tick();
  EXPECT_LE(s.saucer1X, s.saucer1StopX);
  EXPECT_GT(s.saucer1X, s.saucer1StopX - 160);
  EXPECT_GE(s.saucer1Y, -150);
  EXPECT_LE(s.saucer1Y, 8150);
}

struct DrawLog : RandomObserver {
  void OnRandomInt(int n, int) override { ns.push_back(n); }
  void OnReseed() override { ++reseeds; }
  std::vector<int> ns;
  int reseeds = 0;
};

TEST_F(AnimationTest, OnlySaucerOneReseedsAtItsSpawn) {
  DrawLog log;
  animation.random().SetObserver(&log);
  for (int t = 1; t <= 50; ++t) {
    log.ns.clear();
    log.reseeds = 0;
    animation.Tick();
    const bool spawn = t == 30 || t == 40 || t == 50;
    EXPECT_EQ(log.reseeds, t == 30 ? 1 : 0) << t;
    EXPECT_EQ(log.ns, spawn ? std::vector<int>({8000, 8000, 2}) : std::vector<int>{}) << t;
  }
  animation.random().SetObserver(nullptr);
}

// With a stop x below 800 the saucer is still flying on its first beam ticks: the beam
// ends where this tick's flight took it, the sprite stands where the step placed it.
TEST_F(AnimationTest, SaucerStillInFlightIsBeamedWhereItFlewTo) {
  while (s.saucer1Tick != 30) animation.Tick();
  s.saucer1StopX = 100;
  s.saucer1DirY = 1;
  s.saucer1Y = 1000;
  LineLog log;
  while (s.saucer1Tick != 99) animation.Tick();
  stage.SetObserver(&log);
  animation.Tick();  // tick 100: the first beam
  ASSERT_EQ(s.saucer1Tick, 100);
  EXPECT_GT(s.saucer1X, 100);
  EXPECT_EQ(stage.element(Image2).left, s.saucer1X + 160);
  ASSERT_EQ(log.lines.size(), 60u);
  EXPECT_EQ(log.lines[0], (std::array<int, 4>{s.ufoX + 201, s.ufoY + 201, s.saucer1X + 201,
                                              s.saucer1Y + 201}));
  EXPECT_EQ(log.lines[59], (std::array<int, 4>{s.ufoX + 260, s.ufoY + 260, s.saucer1X + 260,
                                               s.saucer1Y + 260}));
  stage.SetObserver(nullptr);
}

TEST_F(AnimationTest, ReturningWithASaucerAboutToResetKeepsItHidden) {
  while (s.saucer1Tick != 108) animation.Tick();
  animation.ChooseScene(2);
  animation.Tick();
  EXPECT_FALSE(stage.element(Image2).visible);
  animation.ChooseScene(1);
  animation.Tick();
  EXPECT_EQ(s.saucer1Tick, 109);
  EXPECT_FALSE(stage.element(Image2).visible);  // its fragments are not seen
  animation.Tick();
  EXPECT_EQ(s.saucer1Tick, 0);
  EXPECT_FALSE(stage.element(Image2).visible);
}

TEST_F(AnimationTest, ReturningMidFlightShowsTheSaucerAgain) {
  while (s.saucer2Tick != 60) animation.Tick();
  animation.ChooseScene(3);
  animation.Tick();
  EXPECT_FALSE(stage.element(Image5).visible);
  animation.ChooseScene(1);
  animation.Tick();
  EXPECT_EQ(s.saucer2Tick, 61);
  EXPECT_TRUE(stage.element(Image5).visible);
}

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
