#pragma once

#include <gtest/gtest.h>

#include "app/animation.h"

namespace animatsiya::testing {

// A started animation with a fixed seed, as the window has it before its first tick.
class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() {
    animation.random().UseFixedSeed(1);
    animation.Start();
  }

  AnimationState& s = animation.state();
  Stage& stage = animation.stage();
  Animation animation;
};

}  // namespace animatsiya::testing
