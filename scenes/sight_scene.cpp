#include "scenes/scenes.h"

namespace animatsiya {

// Not built yet: the step does nothing.
void StepSightScene(SceneContext&) {}

}  // namespace animatsiya
