#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

using S = AnimationState;

// One axis of one ball: its position and direction fields, a start, and what a tick
// makes of them.
struct TurnCase {
  const char* what;
  Int16 S::*pos;
  Int16 S::*dir;
  int start, startDir, wantPos, wantDir;
};

class BallTurnTest : public AnimationTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(BallTurnTest, TurnsExactlyOnItsTurnPoint) {
  const TurnCase& c = GetParam();
  s.*c.pos = c.start;
  s.*c.dir = c.startDir;
  animation.ChooseScene(2);
  animation.Tick();
  EXPECT_EQ(s.*c.pos, c.wantPos);
  EXPECT_EQ(s.*c.dir, c.wantDir);
}

INSTANTIATE_TEST_SUITE_P(
    TurnPoints, BallTurnTest,
    ::testing::Values(
        TurnCase{"ball1 right", &S::ball1X, &S::ball1DirX, 10570, 1, 10700, 0},
        TurnCase{"ball1 right, short", &S::ball1X, &S::ball1DirX, 10569, 1, 10699, 1},
        TurnCase{"ball1 left", &S::ball1X, &S::ball1DirX, 450, 0, 320, 1},
        TurnCase{"ball1 left, short", &S::ball1X, &S::ball1DirX, 451, 0, 321, 0},
        TurnCase{"ball1 bottom", &S::ball1Y, &S::ball1DirY, 7470, 1, 7600, 0},
        TurnCase{"ball1 top", &S::ball1Y, &S::ball1DirY, 390, 0, 260, 1},
        TurnCase{"ball1 top, short", &S::ball1Y, &S::ball1DirY, 391, 0, 261, 0},
        TurnCase{"ball2 right", &S::ball2X, &S::ball2DirX, 10270, 1, 10400, 0},
        TurnCase{"ball2 right, short", &S::ball2X, &S::ball2DirX, 10269, 1, 10399, 1},
        TurnCase{"ball2 left", &S::ball2X, &S::ball2DirX, 760, 0, 630, 1},
        TurnCase{"ball2 bottom", &S::ball2Y, &S::ball2DirY, 7270, 1, 7400, 0},
        TurnCase{"ball2 bottom, short", &S::ball2Y, &S::ball2DirY, 7269, 1, 7399, 1},
        TurnCase{"ball2 top", &S::ball2Y, &S::ball2DirY, 720, 0, 590, 1},
        // Start values beyond a turn point are not clamped.
        TurnCase{"ball1 below its bottom", &S::ball1Y, &S::ball1DirY, 7900, 1, 8030, 0},
        TurnCase{"ball2 left of its left", &S::ball2X, &S::ball2DirX, 100, 0, -30, 1}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST_F(AnimationTest, UnclampedStartComesBackOnTheNextTick) {
  s.ball1Y = 7900;
  s.ball1DirY = 1;
  animation.ChooseScene(2);
  animation.Tick();
  animation.Tick();
  EXPECT_EQ(s.ball1Y, 7900);
}

TEST_F(AnimationTest, PaddlesFollowTheirBallOnTheirLines) {
  animation.ChooseScene(2);
  for (int t = 0; t < 37; ++t) animation.Tick();
  struct Want {
    ElementId id;
    int left, top;
  };
  const Want wants[] = {
      {Image15, s.ball1X, s.ball1Y}, {Image16, s.ball2X, s.ball2Y},
      {Image7, s.ball1X, 8200},      {Image13, s.ball1X, 20},
      {Image9, 11200, s.ball1Y},     {Image11, 50, s.ball1Y},
      {Image8, s.ball2X, 7900},      {Image14, s.ball2X, 330},
      {Image10, 10900, s.ball2Y},    {Image12, 350, s.ball2Y},
  };
  for (const Want& w : wants) {
    EXPECT_EQ(stage.element(w.id).left, w.left) << w.id;
    EXPECT_EQ(stage.element(w.id).top, w.top) << w.id;
    EXPECT_TRUE(stage.element(w.id).visible) << w.id;
  }
  // Every element outside the ball group is hidden.
  for (int id = Image1; id <= Label1; ++id) {
    if (id >= Image7 && id <= Image16) continue;
    EXPECT_FALSE(stage.element(static_cast<ElementId>(id)).visible) << id;
  }
}

TEST_F(AnimationTest, BallsResumeWhereTheyStopped) {
  animation.ChooseScene(2);
  for (int t = 0; t < 20; ++t) animation.Tick();
  const AnimationState stopped = s;
  animation.ChooseScene(1);
  for (int t = 0; t < 50; ++t) animation.Tick();
  for (int id = Image7; id <= Image16; ++id) {
    EXPECT_FALSE(stage.element(static_cast<ElementId>(id)).visible) << id;
  }
  animation.ChooseScene(2);
  animation.Tick();
  EXPECT_EQ(s.ball1X, stopped.ball1X + (stopped.ball1DirX == 1 ? 130 : -130));
  EXPECT_EQ(s.ball2Y, stopped.ball2Y + (stopped.ball2DirY == 1 ? 130 : -130));
}

}  // namespace
}  // namespace animatsiya::testing
