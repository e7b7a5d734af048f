#include "scenes/scenes.h"
#include "scenes/shared_routines.h"

namespace animatsiya {
namespace {

// The three saucers run one cycle with their own sprite, fields and timings: spawn on
// tick `spawn`, beams from tick `beam` for six ticks, burst until `reset`.
struct SaucerRow {
  ElementId sprite;
  Int16 AnimationState::*tick;
  Int16 AnimationState::*x;
  Int16 AnimationState::*y;
  Int16 AnimationState::*dirY;
  Int16 AnimationState::*stopX;
  int spawn;
  bool reseedAtSpawn;
  int beam;
  int reset;
};

using S = AnimationState;
constexpr SaucerRow kSaucers[] = {
    {Image2, &S::saucer1Tick, &S::saucer1X, &S::saucer1Y, &S::saucer1DirY, &S::saucer1StopX,
     30, true, 100, 110},
    {Image5, &S::saucer2Tick, &S::saucer2X, &S::saucer2Y, &S::saucer2DirY, &S::saucer2StopX,
     40, false, 110, 120},
    {Image6, &S::saucer3Tick, &S::saucer3X, &S::saucer3Y, &S::saucer3DirY, &S::saucer3StopX,
     50, false, 120, 130},
};

void RunSaucerCycle(SceneContext& c, const SaucerRow& row) {
  AnimationState& s = c.s;
  Int16& tick = s.*row.tick;
  Int16& x = s.*row.x;
  Int16& y = s.*row.y;
  Int16& dirY = s.*row.dirY;
  Int16& stopX = s.*row.stopX;

  tick = tick + 1;
  if (tick == row.spawn) {
    if (row.reseedAtSpawn) c.random.Reseed();
    y = c.random.RandomInt(8000);
    x = 12000;
    stopX = c.random.RandomInt(8000);
    dirY = c.random.RandomInt(2);
    c.stage.SetVisible(row.sprite, true);
    c.stage.TakePicture(row.sprite, Image4);
  }
  if (tick >= row.spawn && x > stopX) {
    x = x - 160;
    if (dirY == 0) y = y - 150;
    if (dirY == 1) y = y + 150;
    if (y > 8000) dirY = 0;
    if (y < 50) dirY = 1;
  }
  if (tick >= row.beam && tick < row.beam + 6) DrawBeam(c.stage, s.ufoX + 200, s.ufoY + 200, x + 200, y + 200);
  if (tick >= row.beam + 6 && tick < row.reset) c.stage.TakePicture(row.sprite, Image3);
  if (tick >= row.reset) {
    c.stage.SetVisible(row.sprite, false);
    tick = 0;
  }
}

}  // namespace

void StepUfoScene(SceneContext& c) {
  AnimationState& s = c.s;
  Stage& stage = c.stage;

  stage.ClearDrawing();
  MoveUfo(s, 7999);
  stage.SetLeft(Image1, s.ufoX);
  stage.SetTop(Image1, s.ufoY);
  // Placed with the values of the end of the previous step.
  stage.SetLeft(Image2, s.saucer1X);
  stage.SetTop(Image2, s.saucer1Y);
  stage.SetLeft(Image5, s.saucer2X);
  stage.SetTop(Image5, s.saucer2Y);
  stage.SetLeft(Image6, s.saucer3X);
  stage.SetTop(Image6, s.saucer3Y);
  stage.SetVisible(Image1, true);
  ShowBallGroup(stage, false);
  HideEurekaGroup(stage);
  HideHeavenGroup(stage);
  HideDeathGroup(stage);
  SetTitleHideTarget(stage, false);
  for (const SaucerRow& row : kSaucers) RunSaucerCycle(c, row);
  if (s.saucer3Tick > 50 && s.saucer3Tick < 129) stage.SetVisible(Image6, true);
  if (s.saucer2Tick > 40 && s.saucer2Tick < 119) stage.SetVisible(Image5, true);
  if (s.saucer1Tick > 30 && s.saucer1Tick < 109) stage.SetVisible(Image2, true);
}

}  // namespace animatsiya
