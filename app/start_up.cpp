#include "app/start_up.h"

namespace animatsiya {

void StartUp(AnimationState& s, Stage& stage, RandomSource& random) {
  s.currentScene = 1;
  random.Reseed();
  s.ufoX = random.RandomInt(10000);
  s.ufoY = random.RandomInt(8000);
  s.ufoDirX = random.RandomInt(2);
  s.ufoDirY = random.RandomInt(2);
  s.saucer1X = 12000;
  for (ElementId id : {Image1, Image2, Image5, Image6}) stage.SetVisible(id, false);
  s.ball1X = random.RandomInt(10000);
  s.ball1Y = random.RandomInt(8000);
  s.ball1DirX = random.RandomInt(2);
  s.ball1DirY = random.RandomInt(2);
  for (ElementId id : {Image7, Image8, Image9, Image10, Image15, Image11, Image13}) {
    stage.SetVisible(id, false);
  }
  // The paddles at the left and top edges borrow the pictures of their twins.
  stage.TakePicture(Image11, Image9);
  stage.TakePicture(Image13, Image7);
  stage.TakePicture(Image12, Image10);
  stage.TakePicture(Image14, Image8);
  s.ball2X = random.RandomInt(10000);
  s.ball2Y = random.RandomInt(8000);
  s.ball2DirX = random.RandomInt(2);
  s.ball2DirY = random.RandomInt(2);
  for (ElementId id : {Image12, Image14, Image16, Image19, Image20}) stage.SetVisible(id, false);
  s.treeX = 3000;
  s.sightX = random.RandomInt(11000);
  s.sightY = random.RandomInt(8600);
}

}  // namespace animatsiya
