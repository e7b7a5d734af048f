#include <string>

#include "pictures/picture_set.h"
#include "stage/sprite_table.h"
#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

// What must hold after every tick however the user switches scenes: no 16-bit result
// saturates (titleTick, the one field that can, is far from its limit here), and a sprite
// holding a picture is exactly that picture's size, whoever handed it the picture.
TEST_F(AnimationTest, EveryTickKeepsItsInvariantsAcrossSceneSwitches) {
  const auto overflows = Int16::OverflowCount();
  auto run = [&](int scene, int ticks) {
    animation.ChooseScene(scene);
    for (int t = 0; t < ticks; ++t) {
      animation.Tick();
      for (const DesignRow& row : kSpriteTable) {
        const Element& e = stage.element(row.id);
        if (!e.picture) continue;
        const PictureSize size = SizeOf(*e.picture);
        ASSERT_EQ(e.width, size.width * kTwipsPerPixel) << "scene " << scene << ", " << row.name;
        ASSERT_EQ(e.height, size.height * kTwipsPerPixel) << "scene " << scene << ", " << row.name;
      }
    }
  };
  // Every scene for several of its loops, then short visits in a mixed order, so that
  // scenes resume on the pictures and UFO positions that others left.
  for (int scene = 1; scene <= 6; ++scene) {
    run(scene, 2000);
    if (HasFatalFailure()) return;
  }
  for (int visit = 0; visit < 120; ++visit) {
    run(visit * 5 % 6 + 1, visit * 37 % 150 + 1);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(Int16::OverflowCount(), overflows);
}

// A scene's loop counter: incremented first, set back to 0 on the loop's last tick, so
// after tick t of a run from 0 it holds t modulo the loop's length.
struct LoopCase {
  const char* scene;
  int k;
  Int16 AnimationState::*counter;
  int length;
};

class SceneLoopTest : public AnimationTest, public ::testing::WithParamInterface<LoopCase> {};

TEST_P(SceneLoopTest, CounterRunsItsLoopAndStartsOver) {
  const LoopCase& c = GetParam();
  animation.ChooseScene(c.k);
  for (int t = 1; t <= 2 * c.length + 1; ++t) {
    animation.Tick();
    ASSERT_EQ(s.*c.counter, t % c.length) << "tick " << t;
  }
}

using S = AnimationState;
INSTANTIATE_TEST_SUITE_P(Scenes, SceneLoopTest,
                         ::testing::Values(LoopCase{"eureka", 3, &S::eurekaTick, 291},
                                           LoopCase{"heaven", 4, &S::heavenTick, 211},
                                           LoopCase{"death", 5, &S::deathTick, 211},
                                           LoopCase{"sight", 6, &S::sightTick, 71}),
                         [](const auto& info) { return std::string(info.param.scene); });

}  // namespace
}  // namespace animatsiya::testing
