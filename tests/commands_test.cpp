#include <cstring>

#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

bool SameElements(const Stage& a, const std::vector<Element>& b) {
  for (int id = Image1; id <= Label1; ++id) {
    const Element& e = a.element(static_cast<ElementId>(id));
    const Element& f = b[id - 1];
    if (e.left != f.left || e.top != f.top || e.width != f.width || e.height != f.height ||
        e.visible != f.visible || e.picture != f.picture) {
      return false;
    }
  }
  return true;
}

std::vector<Element> Elements(const Stage& stage) {
  std::vector<Element> all;
  for (int id = Image1; id <= Label1; ++id) all.push_back(stage.element(static_cast<ElementId>(id)));
  return all;
}

TEST_F(AnimationTest, SceneCommandClearsTheLinesAndChangesOnlyTheSceneNumber) {
  // Run scene 1 until a beam is on the stage.
  while (s.saucer1Tick != 100) animation.Tick();
  ASSERT_NE(stage.picture().pixels, stage.ComposeFresh().pixels);
  for (int k : {1, 4}) {
    AnimationState before = s;
    const std::vector<Element> elements = Elements(stage);
    animation.ChooseScene(k);
    before.currentScene = k;
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0) << k;
    EXPECT_TRUE(SameElements(stage, elements)) << k;
    EXPECT_EQ(stage.picture().pixels, stage.ComposeFresh().pixels) << k;
  }
}

TEST_F(AnimationTest, SpeedCommandChangesOnlyTheInterval) {
  animation.Tick();
  animation.Tick();
  const AnimationState before = s;
  const Raster picture = stage.picture();
  EXPECT_EQ(animation.intervalMs(), 50);
  animation.ChooseSpeed(Speed::Fast);
  EXPECT_EQ(animation.intervalMs(), 1);
  animation.ChooseSpeed(Speed::Fast);
  EXPECT_EQ(animation.intervalMs(), 1);
  animation.ChooseSpeed(Speed::Normal);
  EXPECT_EQ(animation.intervalMs(), 50);
  EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
  EXPECT_EQ(stage.picture().pixels, picture.pixels);
}

TEST_F(AnimationTest, RunFrameRunsOnlyTheSelectedScene) {
  animation.ChooseScene(2);
  const AnimationState before = s;
  animation.Tick();
  EXPECT_EQ(s.ufoX, before.ufoX);          // scene 1 did not run
  EXPECT_NE(s.ball1X, before.ball1X);      // scene 2 did
  EXPECT_EQ(s.saucer1Tick, before.saucer1Tick);
}

}  // namespace
}  // namespace animatsiya::testing
