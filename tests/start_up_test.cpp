#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "stage/sprite_table.h"
#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

using S = AnimationState;

TEST(StartUpTest, DrawsInItsOrderAndSetsTheStartValues) {
  Animation animation;
  EventLog log;
  animation.random().UseFixedSeed(5);
  animation.random().SetObserver(&log);
  animation.Start();
  const AnimationState& s = animation.state();

  std::vector<int> ns;
  for (const Draw& d : log.draws) ns.push_back(d.n);
  EXPECT_EQ(ns, (std::vector<int>{10000, 8000, 2, 2, 10000, 8000, 2, 2, 10000, 8000, 2, 2,
                                  11000, 8600}));
  EXPECT_EQ(log.reseeds, std::vector<std::size_t>{0});  // before the first draw
  const Int16 S::*drawn[] = {&S::ufoX,      &S::ufoY,      &S::ufoDirX,    &S::ufoDirY,
                             &S::ball1X,    &S::ball1Y,    &S::ball1DirX,  &S::ball1DirY,
                             &S::ball2X,    &S::ball2Y,    &S::ball2DirX,  &S::ball2DirY,
                             &S::sightX,    &S::sightY};
  ASSERT_EQ(log.draws.size(), std::size(drawn));
  for (size_t i = 0; i < std::size(drawn); ++i) EXPECT_EQ(s.*drawn[i], log.draws[i].value) << i;

  EXPECT_EQ(s.currentScene, 1);
  EXPECT_EQ(s.saucer1X, 12000);
  EXPECT_EQ(s.treeX, 3000);
  // Every field that StartUp does not draw or set stays 0.
  for (const FieldInfo& f : kFields) {
    if (std::find(std::begin(drawn), std::end(drawn), f.member) != std::end(drawn) ||
        f.member == &S::currentScene || f.member == &S::saucer1X || f.member == &S::treeX) {
      continue;
    }
    EXPECT_EQ(s.*f.member, 0) << f.name;
  }
}

TEST(StartUpTest, HidesSpritesAndLendsThePaddlesTheirPictures) {
  Animation animation;
  animation.Start();
  const Stage& stage = animation.stage();
  const ElementId hidden[] = {Image1,  Image2,  Image5,  Image6,  Image7,  Image8,
                              Image9,  Image10, Image11, Image12, Image13, Image14,
                              Image15, Image16, Image19, Image20};
  // Everything else keeps its design visibility.
  for (const DesignRow& row : kSpriteTable) {
    const bool hides = std::find(std::begin(hidden), std::end(hidden), row.id) != std::end(hidden);
    EXPECT_EQ(stage.element(row.id).visible, hides ? false : row.visible) << row.name;
  }
  EXPECT_EQ(stage.element(Image11).picture, PictureId::Image9);
  EXPECT_EQ(stage.element(Image13).picture, PictureId::Image7);
  EXPECT_EQ(stage.element(Image12).picture, PictureId::Image10);
  EXPECT_EQ(stage.element(Image14).picture, PictureId::Image8);
  EXPECT_EQ(stage.caption(), kStartCaption);
  EXPECT_EQ(stage.picture().pixels, stage.ComposeFresh().pixels);
}

TEST(StartUpTest, TwoStartsFromTheClockDiffer) {
  Animation first;
  first.Start();
  Animation second;
  second.Start();
  const AnimationState& a = first.state();
  const AnimationState& b = second.state();
  EXPECT_TRUE(a.ufoX != b.ufoX || a.ufoY != b.ufoY || a.ball1X != b.ball1X ||
              a.sightX != b.sightX);
}

TEST(RandomSourceTest, RandomIntStaysWithinItsRange) {
  RandomSource random;
  random.UseFixedSeed(3);
  for (int n : {2, 5500, 8000, 8600, 10000, 11000}) {
    int low = n, high = -1;
    for (int i = 0; i < 20000; ++i) {
      const int v = random.RandomInt(n);
      low = std::min(low, v);
      high = std::max(high, v);
    }
    EXPECT_GE(low, 0) << n;
    EXPECT_LT(high, n) << n;
  }
}

TEST(RandomSourceTest, ClockReseedsInTheSameInstantStillDiffer) {
  RandomSource random;
  random.Reseed();
  const double first = random.Next();
  random.Reseed();
  EXPECT_NE(random.Next(), first);
}

TEST(RandomSourceTest, FixedSeedRepeatsTheWholeSequence) {
  RandomSource a, b;
  a.UseFixedSeed(9);
  b.UseFixedSeed(9);
  for (int i = 0; i < 3; ++i) {
    a.Reseed();
    b.Reseed();
    EXPECT_EQ(a.RandomInt(10000), b.RandomInt(10000));
  }
}

TEST(Int16Test, SaturatesInsteadOfWrapping) {
  const auto before = Int16::OverflowCount();
  Int16 v = 32767;
  v = v + 1;
  EXPECT_EQ(v, 32767);
  Int16 w = -32768;
  w = w - 1;
  EXPECT_EQ(w, -32768);
  EXPECT_EQ(Int16::OverflowCount(), before + 2);
}

}  // namespace
}  // namespace animatsiya::testing
