#pragma once

#include "scenes/scene_context.h"

namespace animatsiya {

// One step of each scene, run once per tick of the frame timer while it is selected.
void StepUfoScene(SceneContext& c);      // scene 1
void StepBallScene(SceneContext& c);     // scene 2
void StepEurekaScene(SceneContext& c);   // scene 3
void StepHeavenScene(SceneContext& c);   // scene 4
void StepDeathScene(SceneContext& c);    // scene 5
void StepSightScene(SceneContext& c);    // scene 6

}  // namespace animatsiya
