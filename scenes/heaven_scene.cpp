#include "scenes/scenes.h"

namespace animatsiya {

// Not built yet: the step does nothing.
void StepHeavenScene(SceneContext&) {}

}  // namespace animatsiya
