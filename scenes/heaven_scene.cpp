#include "scenes/scenes.h"
#include "scenes/shared_routines.h"

namespace animatsiya {

// coupleStep runs on through the walk, the flight and the loop starts, so the couple takes
// off with its last walking pictures and the cycle's phase drifts from loop to loop.
void StepHeavenScene(SceneContext& c) {
  AnimationState& s = c.s;
  Stage& stage = c.stage;

  stage.SetVisible(Image1, false);
  HideSaucers(stage);
  ShowBallGroup(stage, false);
  HideEurekaGroup(stage);
  HideDeathGroup(stage);
  SetTitleHideTarget(stage, false);
  // Placed before the fields change, so the couple shows where the last tick left it.
  stage.SetLeft(Image28, s.womanX);
  stage.SetLeft(Image27, s.manX);
  stage.SetTop(Image28, s.womanY);
  stage.SetTop(Image27, s.manY);

  s.heavenTick = s.heavenTick + 1;
  if (s.heavenTick >= 0 && s.heavenTick < 10) {
    s.manX = 10000;
    s.womanX = 0;
    s.manY = 6200;
    s.womanY = 6200;
    stage.TakePicture(Image27, Image23);
    stage.TakePicture(Image28, Image25);
  }
  if (s.heavenTick < 210) {
    stage.SetVisible(Image27, true);
    stage.SetVisible(Image28, true);
  }
  if (s.heavenTick > 10 && s.heavenTick < 74) {
    s.coupleStep = s.coupleStep + 1;
    if (s.coupleStep == 1) stage.TakePicture(Image27, Image23);
    if (s.coupleStep == 6) stage.TakePicture(Image27, Image24);
    if (s.coupleStep == 12) s.coupleStep = 0;
    if (s.coupleStep == 1) stage.TakePicture(Image28, Image25);
    if (s.coupleStep == 6) stage.TakePicture(Image28, Image26);
    s.manX = s.manX - 65;
    s.womanX = s.womanX + 65;
  }
  if (s.heavenTick > 84 && s.heavenTick < 86) s.womanY = 5000;
  if (s.heavenTick > 85 && s.heavenTick < 210) {
    s.coupleStep = s.coupleStep + 1;
    if (s.coupleStep == 1) stage.TakePicture(Image27, Image29);
    if (s.coupleStep == 6) stage.TakePicture(Image27, Image30);
    if (s.coupleStep == 12) s.coupleStep = 0;
    if (s.coupleStep == 1) stage.TakePicture(Image28, Image31);
    if (s.coupleStep == 6) stage.TakePicture(Image28, Image32);
    s.manX = s.manX + 55;
    s.womanX = s.womanX + 55;
    s.manY = s.manY - 65;
    s.womanY = s.womanY - 65;
  }
  if (s.heavenTick > 110) stage.SetVisible(Image33, true);
  if (s.heavenTick > 210) {
    s.heavenTick = 0;
    HideHeavenGroup(stage);
  }
}

}  // namespace animatsiya
