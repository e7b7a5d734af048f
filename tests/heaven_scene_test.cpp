#include <optional>
#include <vector>

#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

struct Figure {
  int left;
  int top;
  bool visible;
  std::optional<PictureId> picture;
};

// What the stage shows of the scene after one tick.
struct HeavenFrame {
  int heavenTick;
  Figure man;
  Figure woman;
  bool heartVisible;
};

Figure FigureOf(const Element& e) { return {e.left, e.top, e.visible, e.picture}; }

class HeavenSceneTest : public FrameTest<HeavenFrame> {
 protected:
  HeavenFrame Look() override {
    return {s.heavenTick, FigureOf(stage.element(Image27)), FigureOf(stage.element(Image28)),
            stage.element(Image33).visible};
  }
};

constexpr int kLoop = 211;

struct CouplePlace {
  int runTick;
  int manLeft, manTop;
  int womanLeft, womanTop;
};

TEST_F(HeavenSceneTest, CoupleIsShownWhereThePreviousTickLeftIt) {
  const CouplePlace table[] = {
      {1, 0, 0, 0, 0},  // fields still 0 on the first tick of the run
      {2, 10000, 6200, 0, 6200},
      {10, 10000, 6200, 0, 6200},
      {11, 10000, 6200, 0, 6200},
      {12, 9935, 6200, 65, 6200},
      {73, 5970, 6200, 4030, 6200},
      {74, 5905, 6200, 4095, 6200},
      {85, 5905, 6200, 4095, 6200},
      {86, 5905, 6200, 4095, 5000},  // raised on tick 85, shown from 86
      {87, 5960, 6135, 4150, 4935},
      {209, 12670, -1795, 10860, -2995},
      {210, 12725, -1860, 10915, -3060},
      {211, 12725, -1860, 10915, -3060},
      {kLoop + 1, 12725, -1860, 10915, -3060},  // placed at the flight's end for one tick
      {kLoop + 2, 10000, 6200, 0, 6200},
      {kLoop + 12, 9935, 6200, 65, 6200},
  };
  animation.ChooseScene(4);
  auto frames = Run(kLoop + 12);
  for (const CouplePlace& row : table) {
    const HeavenFrame& f = frames[row.runTick - 1];
    EXPECT_EQ(f.man.left, row.manLeft) << "tick " << row.runTick;
    EXPECT_EQ(f.man.top, row.manTop) << "tick " << row.runTick;
    EXPECT_EQ(f.woman.left, row.womanLeft) << "tick " << row.runTick;
    EXPECT_EQ(f.woman.top, row.womanTop) << "tick " << row.runTick;
  }
}

TEST_F(HeavenSceneTest, FirstTickShowsStandingCoupleAtTopLeft) {
  TickIn(4, 1);
  for (ElementId id : {Image27, Image28}) {
    EXPECT_EQ(stage.element(id).left, 0) << id;
    EXPECT_EQ(stage.element(id).top, 0) << id;
    EXPECT_TRUE(stage.element(id).visible) << id;
  }
  EXPECT_EQ(stage.element(Image27).picture, PictureId::Image23);
  EXPECT_EQ(stage.element(Image28).picture, PictureId::Image25);
  EXPECT_EQ(stage.element(Image27).width, SizeOf(PictureId::Image23).width * 15);
  EXPECT_EQ(s.manX, 10000);
  EXPECT_EQ(s.womanY, 6200);
}

struct CouplePictures {
  int runTick;
  PictureId man;
  PictureId woman;
};

// coupleStep runs on from the walk into the flight: after 63 walking ticks it stands at 3,
// so the couple takes off in its standing pictures and grows wings on tick 88.
TEST_F(HeavenSceneTest, PicturesOfWalkAndFlightInFirstLoop) {
  using P = PictureId;
  const CouplePictures table[] = {
      {1, P::Image23, P::Image25},   {10, P::Image23, P::Image25},
      {11, P::Image23, P::Image25},  {15, P::Image23, P::Image25},
      {16, P::Image24, P::Image26},  {22, P::Image24, P::Image26},
      {23, P::Image23, P::Image25},  {28, P::Image24, P::Image26},
      {70, P::Image24, P::Image26},  {71, P::Image23, P::Image25},
      {85, P::Image23, P::Image25},  {86, P::Image23, P::Image25},
      {87, P::Image23, P::Image25},  {88, P::Image30, P::Image32},
      {94, P::Image30, P::Image32},  {95, P::Image29, P::Image31},
      {100, P::Image30, P::Image32}, {209, P::Image30, P::Image32},
      // Next loop: standing again on its first tick; coupleStep is 7 and the walk's first
      // change comes when it wraps to 1 on tick 16.
      {kLoop + 1, P::Image23, P::Image25}, {kLoop + 16, P::Image23, P::Image25},
      {kLoop + 21, P::Image24, P::Image26},
  };
  animation.ChooseScene(4);
  auto frames = Run(kLoop + 21);
  for (const CouplePictures& row : table) {
    const HeavenFrame& f = frames[row.runTick - 1];
    EXPECT_EQ(f.man.picture, row.man) << "tick " << row.runTick;
    EXPECT_EQ(f.woman.picture, row.woman) << "tick " << row.runTick;
  }
  EXPECT_EQ(s.coupleStep, 6);
}

TEST_F(HeavenSceneTest, WingedPicturesComeOnlyFromTickEightyEight) {
  animation.ChooseScene(4);
  auto frames = Run(kLoop);
  for (int t = 1; t < 88; ++t) {
    for (const Figure* f : {&frames[t - 1].man, &frames[t - 1].woman}) {
      EXPECT_NE(f->picture, PictureId::Image29) << "tick " << t;
      EXPECT_NE(f->picture, PictureId::Image30) << "tick " << t;
      EXPECT_NE(f->picture, PictureId::Image31) << "tick " << t;
      EXPECT_NE(f->picture, PictureId::Image32) << "tick " << t;
    }
  }
  EXPECT_EQ(frames[87].man.picture, PictureId::Image30);
  EXPECT_EQ(frames[87].woman.picture, PictureId::Image32);
}

TEST_F(HeavenSceneTest, HeartOnTicksOneElevenToTwoTenAndLastFrameEmpty) {
  TickIn(2, 1);  // another scene has hidden the heart
  animation.ChooseScene(4);
  auto frames = Run(2 * kLoop);
  for (int t = 1; t <= 2 * kLoop; ++t) {
    const HeavenFrame& f = frames[t - 1];
    const int loopTick = (t - 1) % kLoop + 1;
    EXPECT_EQ(f.heartVisible, loopTick >= 111 && loopTick <= 210) << "tick " << t;
    EXPECT_EQ(f.man.visible, loopTick <= 210) << "tick " << t;
    EXPECT_EQ(f.woman.visible, loopTick <= 210) << "tick " << t;
  }
  EXPECT_EQ(stage.element(Image33).left, 3840);
  EXPECT_EQ(stage.element(Image33).top, 360);
}

// The step only ever hides the heart at a loop's end: shown from the window's opening, it
// stays through the first loop's early ticks.
TEST_F(HeavenSceneTest, HeartShownAtStartIsNotHiddenBeforeLoopEnd) {
  ASSERT_TRUE(stage.element(Image33).visible);
  animation.ChooseScene(4);
  auto frames = Run(kLoop);
  EXPECT_TRUE(frames[0].heartVisible);
  EXPECT_TRUE(frames[109].heartVisible);
  EXPECT_FALSE(frames[210].heartVisible);
}

TEST_F(HeavenSceneTest, HidesTheOtherScenes) {
  TickIn(3, 1);
  TickIn(4, 1);
  for (ElementId id : {Image1, Image2, Image5, Image6, Image7, Image8, Image9, Image10, Image11,
                       Image12, Image13, Image14, Image15, Image16, Image17, Image18, Image19,
                       Image20, Image21, Image22, Image23, Image24, Image25, Image26, Image29,
                       Image30, Image31, Image32, Image37, Image39, Image40, Label1}) {
    EXPECT_FALSE(stage.element(id).visible) << id;
  }
}

TEST_F(HeavenSceneTest, LeavingMidFlightAndComingBackFliesOn) {
  TickIn(4, 150);
  const int manX = s.manX;
  const int womanY = s.womanY;
  TickIn(1, 25);
  EXPECT_FALSE(stage.element(Image33).visible);
  EXPECT_FALSE(stage.element(Image27).visible);

  animation.ChooseScene(4);
  HeavenFrame back = Step();
  EXPECT_EQ(back.heavenTick, 151);
  EXPECT_EQ(back.man.left, manX);
  EXPECT_EQ(back.woman.top, womanY);
  EXPECT_EQ(s.manX, manX + 55);
  EXPECT_TRUE(back.man.visible);
  EXPECT_TRUE(back.woman.visible);
  EXPECT_TRUE(back.heartVisible);
}

TEST_F(HeavenSceneTest, ComingBackAtTwoHundredNineLeavesCoupleHidden) {
  TickIn(4, 209);
  TickIn(2, 5);
  animation.ChooseScene(4);

  HeavenFrame tick210 = Step();
  EXPECT_EQ(tick210.heavenTick, 210);
  EXPECT_FALSE(tick210.man.visible);
  EXPECT_FALSE(tick210.woman.visible);
  EXPECT_TRUE(tick210.heartVisible);
  EXPECT_EQ(tick210.man.left, 12725);
  EXPECT_EQ(tick210.woman.top, -3060);

  HeavenFrame tick211 = Step();
  EXPECT_EQ(tick211.heavenTick, 0);
  EXPECT_FALSE(tick211.man.visible);
  EXPECT_FALSE(tick211.heartVisible);

  HeavenFrame tick1 = Step();
  EXPECT_EQ(tick1.heavenTick, 1);
  EXPECT_TRUE(tick1.man.visible);
  EXPECT_EQ(tick1.man.picture, PictureId::Image23);
  EXPECT_EQ(tick1.woman.picture, PictureId::Image25);
}

TEST_F(HeavenSceneTest, NoOverflowOverTwelveLoops) {
  const auto before = Int16::OverflowCount();
  TickIn(4, 12 * kLoop);
  EXPECT_EQ(Int16::OverflowCount(), before);
  EXPECT_EQ(s.heavenTick, 0);
  EXPECT_EQ(s.coupleStep, 0);  // 12 loops of 187 steps close the cycle
}

}  // namespace
}  // namespace animatsiya::testing
