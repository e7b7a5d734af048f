#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

TEST_F(AnimationTest, TicksWithoutFault) {
  for (int i = 0; i < 500; ++i) animation.Tick();
  EXPECT_EQ(s.currentScene, 1);
}

}  // namespace
}  // namespace animatsiya::testing
