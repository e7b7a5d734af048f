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

  // Ball 1 turns at its own points; a start value beyond one is not clamped.
  if (s.ball1DirX == 0) s.ball1X = s.ball1X - 130;
  if (s.ball1DirX == 1) s.ball1X = s.ball1X + 130;
  if (s.ball1X >= 10700) s.ball1DirX = 0;
  if (s.ball1X <= 320) s.ball1DirX = 1;
  if (s.ball1DirY == 0) s.ball1Y = s.ball1Y - 130;
  if (s.ball1DirY == 1) s.ball1Y = s.ball1Y + 130;
  if (s.ball1Y >= 7600) s.ball1DirY = 0;
  if (s.ball1Y <= 260) s.ball1DirY = 1;
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

  if (s.ball2DirX == 0) s.ball2X = s.ball2X - 130;
  if (s.ball2DirX == 1) s.ball2X = s.ball2X + 130;
  if (s.ball2X >= 10400) s.ball2DirX = 0;
  if (s.ball2X <= 630) s.ball2DirX = 1;
  if (s.ball2DirY == 0) s.ball2Y = s.ball2Y - 130;
  if (s.ball2DirY == 1) s.ball2Y = s.ball2Y + 130;
  if (s.ball2Y >= 7400) s.ball2DirY = 0;
  if (s.ball2Y <= 590) s.ball2DirY = 1;
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
