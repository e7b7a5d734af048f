#include <optional>
#include <vector>

#include "scenes/captions.h"
#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

// What the stage shows of the scene after one tick.
struct EurekaFrame {
  int eurekaTick;
  int walkerLeft;
  bool walkerVisible;
  std::optional<PictureId> walkerPicture;
  int appleLeft;
  int appleTop;
  bool bannerVisible;
};

class EurekaSceneTest : public FrameTest<EurekaFrame> {
 protected:
  EurekaFrame Look() override {
    const Element& walker = stage.element(Image21);
    return {s.eurekaTick,
            walker.left,
            walker.visible,
            walker.picture,
            stage.element(Image18).left,
            stage.element(Image18).top,
            stage.element(Image22).visible};
  }
};

constexpr int kLoop = 291;

struct ApplePlace {
  int runTick;
  int left;
  int top;
};

TEST_F(EurekaSceneTest, AppleFallsBouncesLeftAndLies) {
  const ApplePlace table[] = {
      {1, 3370, 7000},   {4, 3370, 7000},   {9, 3370, 7000},   {179, 3370, 7000},
      {180, 3370, 7095}, {181, 3370, 7190}, {184, 3370, 7475}, {185, 3270, 7475},
      {187, 3070, 7475}, {188, 3070, 7575}, {197, 3070, 8475}, {198, 3070, 8475},
      {291, 3070, 8475},
      // Next loop: back on the tree.
      {kLoop + 1, 3370, 7000}, {kLoop + 180, 3370, 7095},
  };
  animation.ChooseScene(3);
  auto frames = Run(kLoop + 180);
  for (const ApplePlace& row : table) {
    const EurekaFrame& f = frames[row.runTick - 1];
    EXPECT_EQ(f.appleLeft, row.left) << "tick " << row.runTick;
    EXPECT_EQ(f.appleTop, row.top) << "tick " << row.runTick;
  }
  EXPECT_TRUE(stage.element(Image18).visible);
}

TEST_F(EurekaSceneTest, AppleAndTreeFollowTreeX) {
  s.treeX = 4000;
  TickIn(3, 1);
  EXPECT_EQ(stage.element(Image17).left, 4000);
  EXPECT_EQ(stage.element(Image18).left, 4370);
  EXPECT_EQ(stage.element(Image18).top, 7000);
}

struct WalkerPlace {
  int runTick;
  int left;
};

TEST_F(EurekaSceneTest, WalkerIsShownWhereThePreviousTickLeftHim) {
  const WalkerPlace table[] = {
      {1, 0},  // walkerX not yet set on the first tick of the run
      {2, 11700},  {9, 11700},  {10, 11700}, {11, 11650}, {13, 11550},
      {179, 3250}, {180, 3200}, {291, 3200},
      {kLoop + 1, 3200},  // last loop's place for one more tick
      {kLoop + 2, 11700}, {kLoop + 11, 11650},
  };
  animation.ChooseScene(3);
  auto frames = Run(kLoop + 11);
  for (const WalkerPlace& row : table) {
    const EurekaFrame& f = frames[row.runTick - 1];
    EXPECT_EQ(f.walkerLeft, row.left) << "tick " << row.runTick;
    EXPECT_TRUE(f.walkerVisible) << "tick " << row.runTick;
  }
}

struct WalkerPicture {
  int tick;
  std::optional<PictureId> picture;
};

TEST_F(EurekaSceneTest, WalkerPicturesInFirstLoop) {
  const WalkerPicture table[] = {
      {1, std::nullopt},       {9, std::nullopt},
      {10, PictureId::Image20}, {14, PictureId::Image20},
      {15, PictureId::Image19}, {21, PictureId::Image19},
      {22, PictureId::Image20}, {27, PictureId::Image19},
      {177, PictureId::Image19}, {178, PictureId::Image20},
      {291, PictureId::Image20},
  };
  animation.ChooseScene(3);
  auto frames = Run(kLoop);
  for (const WalkerPicture& row : table) {
    EXPECT_EQ(frames[row.tick - 1].walkerPicture, row.picture) << "tick " << row.tick;
  }
  // Its size follows the picture it took.
  EXPECT_EQ(stage.element(Image21).width, SizeOf(PictureId::Image20).width * 15);
  EXPECT_FALSE(stage.element(Image19).visible);
  EXPECT_FALSE(stage.element(Image20).visible);
}

// walkerStep carries over between loops, so each walk starts at a different point of the
// cycle; the man keeps his last picture until the first change.
TEST_F(EurekaSceneTest, FirstPictureChangeOfEachOfSixLoops) {
  struct Expected {
    int tick;
    PictureId picture;
  };
  const Expected expected[6] = {
      {10, PictureId::Image20}, {13, PictureId::Image19}, {11, PictureId::Image19},
      {16, PictureId::Image20}, {14, PictureId::Image20}, {12, PictureId::Image20},
  };
  animation.ChooseScene(3);
  auto frames = Run(6 * kLoop);
  std::optional<PictureId> previousEnd;
  for (int loop = 0; loop < 6; ++loop) {
    auto pictureOn = [&](int loopTick) {
      return frames[loop * kLoop + loopTick - 1].walkerPicture;
    };
    EXPECT_EQ(pictureOn(9), previousEnd) << "loop " << loop + 1;
    int changedOn = 0;
    for (int t = 10; t < 180 && changedOn == 0; ++t) {
      if (pictureOn(t) != pictureOn(9)) changedOn = t;
    }
    ASSERT_EQ(changedOn, expected[loop].tick) << "loop " << loop + 1;
    EXPECT_EQ(pictureOn(changedOn), expected[loop].picture) << "loop " << loop + 1;
    previousEnd = pictureOn(kLoop);
  }
}

TEST_F(EurekaSceneTest, BannerOnTicksTwoTenToTwoEightyNine) {
  animation.ChooseScene(3);
  auto frames = Run(kLoop + 1);
  for (int t = 1; t <= kLoop + 1; ++t) {
    int loopTick = t > kLoop ? t - kLoop : t;
    EXPECT_EQ(frames[t - 1].bannerVisible, loopTick >= 210 && loopTick < 290) << "tick " << t;
  }
  EXPECT_EQ(stage.element(Image22).left, 2040);
  EXPECT_EQ(stage.element(Image22).top, 600);
}

TEST_F(EurekaSceneTest, ShowsOwnFiguresAndCaptionHidesOthers) {
  stage.SetCaption("другой текст");
  stage.SetVisible(Label1, false);
  TickIn(2, 1);  // the ball scene hides the eureka group
  TickIn(3, 1);
  EXPECT_EQ(stage.caption(), kNewtonCaption);
  EXPECT_TRUE(stage.element(Label1).visible);
  for (ElementId id : {Image17, Image18, Image21}) EXPECT_TRUE(stage.element(id).visible) << id;
  for (ElementId id : {Image1, Image2, Image5, Image6, Image7, Image8, Image9, Image10, Image11,
                       Image12, Image13, Image14, Image15, Image16, Image19, Image20, Image22,
                       Image27, Image28, Image33, Image37, Image39, Image40}) {
    EXPECT_FALSE(stage.element(id).visible) << id;
  }
  EXPECT_EQ(stage.element(Image17).left, 3000);
  EXPECT_EQ(stage.element(Image17).top, 5640);
  EXPECT_EQ(stage.element(Image21).top, 7560);
}

TEST_F(EurekaSceneTest, LeavingMidFallAndComingBackContinuesTheFall) {
  TickIn(3, 182);
  ASSERT_EQ(stage.element(Image18).top, 7285);
  TickIn(1, 40);
  EXPECT_FALSE(stage.element(Image18).visible);
  EXPECT_EQ(stage.element(Image18).top, 7285);
  EXPECT_EQ(s.eurekaTick, 182);

  animation.ChooseScene(3);
  EurekaFrame back = Step();
  EXPECT_EQ(back.eurekaTick, 183);
  EXPECT_EQ(back.appleTop, 7380);
  EXPECT_EQ(back.appleLeft, 3370);
  EXPECT_TRUE(stage.element(Image18).visible);
  Step();
  EurekaFrame bounce = Step();  // tick 185
  EXPECT_EQ(bounce.appleLeft, 3270);
  EXPECT_EQ(bounce.appleTop, 7475);
}

TEST_F(EurekaSceneTest, LeavingMidWalkAndComingBackWalksOn) {
  TickIn(3, 100);
  const int walkerX = s.walkerX;
  ASSERT_EQ(s.walkerStep, 7);  // 91 walking ticks
  const std::optional<PictureId> picture = stage.element(Image21).picture;
  TickIn(4, 30);
  EXPECT_FALSE(stage.element(Image21).visible);

  animation.ChooseScene(3);
  EurekaFrame back = Step();
  EXPECT_EQ(back.eurekaTick, 101);
  EXPECT_EQ(back.walkerLeft, walkerX);
  EXPECT_EQ(s.walkerX, walkerX - 50);
  EXPECT_EQ(s.walkerStep, 8);
  EXPECT_TRUE(back.walkerVisible);
  EXPECT_EQ(back.walkerPicture, picture);
}

TEST_F(EurekaSceneTest, NoOverflowOverManyLoops) {
  const auto before = Int16::OverflowCount();
  TickIn(3, 12 * kLoop);
  EXPECT_EQ(Int16::OverflowCount(), before);
  EXPECT_EQ(s.eurekaTick, 0);
}

}  // namespace
}  // namespace animatsiya::testing
