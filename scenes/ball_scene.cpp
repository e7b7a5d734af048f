#include "scenes/scenes.h"
#include "scenes/shared_routines.h"

namespace animatsiya {

void StepBallScene(SceneContext& c) {
  AnimationState& s = c.s;
  Stage& stage = c.stage;

  stage.SetVisible(Image1, false);
  HideSaucers(stage);
  HideEurekaGroup(stage);
  stage.SetVisible(Label1, false);
  HideHeavenGroup(stage);
  HideDeathGroup(stage);
  stage.SetVisible(Image40, false);
  ShowBallGroup(stage, true);

  // Each ball turns at its own points; a start value beyond one is not clamped.
  BounceStep(s.ball1X, s.ball1DirX, 10700, 320);
  BounceStep(s.ball1Y, s.ball1DirY, 7600, 260);
  stage.SetLeft(Image15, s.ball1X);
  stage.SetTop(Image15, s.ball1Y);
  stage.SetLeft(Image7, s.ball1X);
  stage.SetTop(Image9, s.ball1Y);
  stage.SetLeft(Image9, 11200);
  stage.SetTop(Image7, 8200);
  stage.SetLeft(Image13, s.ball1X);
  stage.SetTop(Image11, s.ball1Y);
  stage.SetLeft(Image11, 50);
  stage.SetTop(Image13, 20);

  BounceStep(s.ball2X, s.ball2DirX, 10400, 630);
  BounceStep(s.ball2Y, s.ball2DirY, 7400, 590);
  stage.SetLeft(Image16, s.ball2X);
  stage.SetTop(Image16, s.ball2Y);
  stage.SetLeft(Image8, s.ball2X);
  stage.SetTop(Image10, s.ball2Y);
  stage.SetLeft(Image10, 10900);
  stage.SetTop(Image8, 7900);
  stage.SetLeft(Image14, s.ball2X);
  stage.SetTop(Image12, s.ball2Y);
  stage.SetLeft(Image12, 350);
  stage.SetTop(Image14, 330);
}

}  // namespace animatsiya
