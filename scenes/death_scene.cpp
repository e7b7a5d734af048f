#include "scenes/scenes.h"
#include "scenes/shared_routines.h"

namespace animatsiya {
namespace {

// The reaper comes back from the target sprite, unless the sight scene left that sprite
// shattered: then the reaper takes back its own picture, so the intact reaper is never
// lost for the rest of the run.
void TakeReaperFromTarget(Stage& stage) {
  if (stage.element(Image40).picture == PictureId::Image38) {
    stage.RestorePicture(Image37);
  } else {
    stage.TakePicture(Image37, Image40);
  }
}

}  // namespace

void StepDeathScene(SceneContext& c) {
  AnimationState& s = c.s;
  Stage& stage = c.stage;

  HideSaucers(stage);
  ShowBallGroup(stage, false);
  HideEurekaGroup(stage);
  HideDeathGroup(stage);
  HideHeavenGroup(stage);
  SetTitleHideTarget(stage, false);

  stage.ClearDrawing();

  MoveUfo(s, 4999);
  stage.SetLeft(Image1, s.ufoX);
  stage.SetTop(Image1, s.ufoY);

  // draggerStep runs on across loops, so each loop starts the walk at another pose.
  s.deathTick = s.deathTick + 1;
  if (s.deathTick > 10 && s.deathTick < 147) {
    s.draggerStep = s.draggerStep + 1;
    if (s.draggerStep == 1) stage.TakePicture(Image39, Image34);
    if (s.draggerStep == 6) stage.TakePicture(Image39, Image35);
    if (s.draggerStep == 12) s.draggerStep = 0;
    s.draggerX = s.draggerX - 65;
  }

  // Placed before the loop start below, so tick 1 shows where the last loop left them.
  stage.SetLeft(Image39, s.draggerX);
  stage.SetTop(Image39, s.draggerY);
  stage.SetLeft(Image37, s.reaperX);
  stage.SetTop(Image37, s.reaperY);

  // The man keeps whatever picture the last loop gave him.
  if (s.deathTick >= 0 && s.deathTick < 10) {
    s.draggerX = 11500;
    s.reaperX = 200;
    s.draggerY = 7200;
    s.reaperY = 7000;
    TakeReaperFromTarget(stage);
  }

  if (s.deathTick < 200) {
    stage.SetVisible(Image39, true);
    stage.SetVisible(Image37, true);
    stage.SetVisible(Image1, true);
  }

  if (s.deathTick >= 150 && s.deathTick < 156) {
    DrawBeam(stage, s.ufoX + 200, s.ufoY + 200, s.reaperX + 200, s.reaperY + 200);
  }
  if (s.deathTick >= 156 && s.deathTick < 162) stage.TakePicture(Image37, Image38);
  if (s.deathTick >= 162) stage.SetVisible(Image37, false);

  // The man's beam stops a tick before his broken picture does.
  if (s.deathTick >= 185 && s.deathTick < 190) {
    DrawBeam(stage, s.ufoX + 200, s.ufoY + 200, s.draggerX + 200, s.draggerY + 200);
  }
  if (s.deathTick >= 185 && s.deathTick < 191) stage.TakePicture(Image39, Image36);
  if (s.deathTick >= 191) stage.SetVisible(Image39, false);

  if (s.deathTick > 210) s.deathTick = 0;
}

}  // namespace animatsiya
