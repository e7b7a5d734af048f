#include "scenes/shared_routines.h"

#include <initializer_list>

namespace animatsiya {
namespace {

void SetAll(Stage& stage, std::initializer_list<ElementId> members, bool visible) {
  for (ElementId id : members) stage.SetVisible(id, visible);
}

}  // namespace

void BounceStep(Int16& position, Int16& direction, int turnBackAt, int turnForwardAt) {
  if (direction == 0) position = position - 130;
  if (direction == 1) position = position + 130;
  if (position >= turnBackAt) direction = 0;
  if (position <= turnForwardAt) direction = 1;
}

void MoveUfo(AnimationState& s, int yLimit) {
  BounceStep(s.ufoX, s.ufoDirX, 10000, 50);
  // Turns up once ufoY is greater than yLimit.
  BounceStep(s.ufoY, s.ufoDirY, yLimit + 1, 50);
}

void DrawBeam(Stage& stage, Int16 x1, Int16 y1, Int16 x2, Int16 y2) {
  for (int i = 1; i <= 60; ++i) stage.DrawLine(x1 + i, y1 + i, x2 + i, y2 + i);
}

void ShowBallGroup(Stage& stage, bool visible) {
  SetAll(stage, {Image7, Image8, Image9, Image10, Image15, Image11, Image13, Image12, Image14,
                 Image16},
         visible);
}

void HideEurekaGroup(Stage& stage) {
  SetAll(stage, {Image18, Image19, Image20, Image17, Image21, Image22}, false);
}

void HideHeavenGroup(Stage& stage) { SetAll(stage, {Image27, Image28, Image33}, false); }

void HideSaucers(Stage& stage) { SetAll(stage, {Image2, Image5, Image6}, false); }

void HideDeathGroup(Stage& stage) { SetAll(stage, {Image37, Image39}, false); }

void SetTitleHideTarget(Stage& stage, bool visible) {
  stage.SetVisible(Image40, false);
  stage.SetVisible(Label1, visible);
}

}  // namespace animatsiya
