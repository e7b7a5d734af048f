#include <string_view>

#include "scenes/captions.h"
#include "scenes/scenes.h"
#include "scenes/shared_routines.h"

namespace animatsiya {
namespace {

// The last value titleTick can hold; it stays there so the title is never typed again.
constexpr int kTitleTickLimit = 32767;

// The target comes from the reaper sprite, unless the death scene left it shattered: then
// the target takes back its own picture, so the intact reaper is never lost for the rest
// of the run.
void TakeTargetFromReaper(Stage& stage) {
  if (stage.element(Image37).picture == PictureId::Image38) {
    stage.RestorePicture(Image40);
  } else {
    stage.TakePicture(Image40, Image37);
  }
}

}  // namespace

void StepSightScene(SceneContext& c) {
  AnimationState& s = c.s;
  Stage& stage = c.stage;

  stage.ClearDrawing();

  if (s.titleTick < kTitleTickLimit) s.titleTick = s.titleTick + 1;
  if (s.titleTick == 1) {
    stage.SetVisible(Label1, true);
    stage.SetCaption(" ");
  }
  for (const TitleCaption& row : kTitleCaptions) {
    if (s.titleTick == row.titleTick) stage.SetCaption(row.caption);
  }
  if (s.titleTick > 40) stage.SetCaption(kSightTitle);
  if (s.titleTick > 170) stage.SetVisible(Label1, false);

  // The target and the caption are left alone here.
  HideSaucers(stage);
  ShowBallGroup(stage, false);
  HideEurekaGroup(stage);
  HideDeathGroup(stage);
  HideHeavenGroup(stage);

  MoveUfo(s, 4999);
  stage.SetLeft(Image1, s.ufoX);
  stage.SetTop(Image1, s.ufoY);

  s.sightTick = s.sightTick + 1;
  if (s.sightTick >= 0 && s.sightTick < 2) {
    c.random.Reseed();
    s.targetX = c.random.RandomInt(10000);
    s.targetY = c.random.RandomInt(5500);
    TakeTargetFromReaper(stage);
    stage.SetVisible(Image40, true);
    stage.SetLeft(Image40, s.targetX);
    stage.SetTop(Image40, s.targetY);
  }

  if (s.sightTick >= 10 && s.sightTick < 50) {
    stage.SetVisible(Image1, true);
    stage.SetVisible(Image40, true);
  }

  // The crosshair is drawn where it stood before this tick's move. Two tests per axis:
  // it rests 0 to 199 twips past the aim point, at the offset its start value fixed.
  if (s.sightTick >= 0 && s.sightTick < 70) {
    for (int i = 1; i <= 50; ++i) {
      stage.DrawLine(i, s.sightY + i, 11500 + i, s.sightY + i);
      stage.DrawLine(s.sightX + i, i, s.sightX + i, 8600 + i);
    }
    if (s.sightX > s.targetX + 500) s.sightX = s.sightX - 200;
    if (s.sightX < s.targetX + 500) s.sightX = s.sightX + 200;
    if (s.sightY > s.targetY + 500) s.sightY = s.sightY - 200;
    if (s.sightY < s.targetY + 500) s.sightY = s.sightY + 200;
  }

  if (s.sightTick > 50 && s.sightTick < 60) {
    DrawBeam(stage, s.ufoX + 200, s.ufoY + 200, s.targetX + 200, s.targetY + 200);
  }
  if (s.sightTick > 60 && s.sightTick < 70) stage.TakePicture(Image40, Image38);
  if (s.sightTick > 70) s.sightTick = 0;
}

}  // namespace animatsiya
