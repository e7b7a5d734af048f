#include "app/animation.h"

#include "app/start_up.h"
#include "scenes/scenes.h"

namespace animatsiya {

void Animation::Start() {
  StartUp(state_, stage_, random_);
  stage_.FinishStep();
  stage_.ComposeAll();
}

void Animation::RunFrame() {
  SceneContext c{state_, stage_, random_};
  if (state_.currentScene == 1) StepUfoScene(c);
  if (state_.currentScene == 2) StepBallScene(c);
  if (state_.currentScene == 3) StepEurekaScene(c);
  if (state_.currentScene == 4) StepHeavenScene(c);
  if (state_.currentScene == 5) StepDeathScene(c);
  if (state_.currentScene == 6) StepSightScene(c);
}

void Animation::Tick() {
  RunFrame();
  stage_.FinishStep();
}

void Animation::ChooseScene(int k) {
  stage_.ClearDrawing();
  state_.currentScene = k;
  stage_.FinishStep();
}

void Animation::ChooseSpeed(Speed speed) {
  intervalMs_ = speed == Speed::Fast ? kFastIntervalMs : kNormalIntervalMs;
}

}  // namespace animatsiya
