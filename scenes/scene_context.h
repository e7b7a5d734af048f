#pragma once

#include "app/animation_state.h"
#include "app/random_source.h"
#include "stage/stage.h"

namespace animatsiya {

// What a scene step works on: the window's one record, its stage and its random source.
struct SceneContext {
  AnimationState& s;
  Stage& stage;
  RandomSource& random;
};

}  // namespace animatsiya
