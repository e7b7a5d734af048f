#pragma once

#include "app/animation_state.h"
#include "app/random_source.h"
#include "stage/stage.h"

namespace animatsiya {

// Gives the record its start values and prepares some sprites, once, after the stage is
// built and before the first tick. The random values are drawn in a fixed order.
void StartUp(AnimationState& s, Stage& stage, RandomSource& random);

}  // namespace animatsiya
