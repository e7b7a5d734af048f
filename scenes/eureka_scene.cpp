#include "scenes/captions.h"
#include "scenes/scenes.h"
#include "scenes/shared_routines.h"

namespace animatsiya {

// The apple keeps no fields: its position lives in Image18 alone, and each move reads the
// sprite back and sets the 16-bit sum.
void StepEurekaScene(SceneContext& c) {
  AnimationState& s = c.s;
  Stage& stage = c.stage;

  stage.SetVisible(Image1, false);
  HideSaucers(stage);
  ShowBallGroup(stage, false);
  stage.SetVisible(Image21, true);
  stage.SetVisible(Image17, true);
  stage.SetVisible(Image18, true);
  HideHeavenGroup(stage);
  HideDeathGroup(stage);
  SetTitleHideTarget(stage, true);
  stage.SetCaption(kNewtonCaption);
  // The man is placed before walkerX moves, so he shows where the last tick left him.
  stage.SetLeft(Image21, s.walkerX);
  stage.SetLeft(Image17, s.treeX);

  s.eurekaTick = s.eurekaTick + 1;
  if (s.eurekaTick >= 0 && s.eurekaTick < 5) {
    s.walkerX = 11700;
    stage.SetLeft(Image18, s.treeX + 370);
    stage.SetTop(Image18, 7000);
  }
  if (s.eurekaTick >= 10 && s.eurekaTick < 180) {
    // walkerStep is never reset at a loop start, so each walk begins elsewhere in the cycle.
    s.walkerStep = s.walkerStep + 1;
    if (s.walkerStep == 1) stage.TakePicture(Image21, Image20);
    if (s.walkerStep == 6) stage.TakePicture(Image21, Image19);
    if (s.walkerStep == 12) s.walkerStep = 0;
    s.walkerX = s.walkerX - 50;
  }
  if (s.eurekaTick >= 180 && s.eurekaTick < 185) {
    stage.SetTop(Image18, Int16(stage.GetTop(Image18)) + 95);
  }
  if (s.eurekaTick >= 185 && s.eurekaTick < 188) {
    stage.SetLeft(Image18, Int16(stage.GetLeft(Image18)) - 100);
  }
  if (s.eurekaTick >= 188 && s.eurekaTick < 198) {
    stage.SetTop(Image18, Int16(stage.GetTop(Image18)) + 100);
  }
  if (s.eurekaTick >= 210 && s.eurekaTick < 290) {
    stage.SetVisible(Image22, true);
  } else {
    stage.SetVisible(Image22, false);
  }
  if (s.eurekaTick > 290) s.eurekaTick = 0;
}

}  // namespace animatsiya
