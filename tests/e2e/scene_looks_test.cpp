#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <string>
#include <vector>

#include "app/animation.h"
#include "tests/e2e/scene_looks.h"
#include "tests/e2e/stage_shot.h"

namespace animatsiya::e2e {
namespace {

// The stage picture as the program holds it, read as a screenshot would be.
StageShot ShotOf(const Raster& picture) {
  const QImage view(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                    picture.width * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32);
  return StageShot(view.copy());
}

// The session test looks up to ten times over two seconds, about forty ticks: a check may
// miss on a few ticks running, never on more. Walks the session's order of scenes for two
// seeds, long enough for a whole loop of every scene.
TEST(SceneLooksTest, HoldOnAllButAFewTicksRunningOfEachScene) {
  constexpr int kTicksPerScene = 300;
  constexpr int kLongestMiss = 6;
  for (int seed : {1, 2}) {
    Animation run;
    run.random().UseFixedSeed(static_cast<unsigned>(seed));
    run.Start();
    for (int scene : {1, 2, 3, 4, 5, 6, 2, 1}) {
      run.ChooseScene(scene);
      for (int tick = 0; tick < 8; ++tick) run.Tick();
      int miss = 0;
      for (int tick = 0; tick < kTicksPerScene; ++tick, run.Tick()) {
        const std::string problem = CheckScene(scene, ShotOf(run.stage().picture()));
        miss = problem.empty() ? 0 : miss + 1;
        ASSERT_LE(miss, kLongestMiss) << "seed " << seed << ", scene " << scene << ", tick " << tick
                                      << ": " << problem;
      }
    }
  }
}

void Paste(Raster& stage, PictureId id, int x, int y) {
  const Raster& picture = *GetPicture(id).raster;
  for (int py = 0; py < picture.height; ++py) {
    for (int px = 0; px < picture.width; ++px) {
      if (x + px < stage.width && y + py < stage.height) stage.at(x + px, y + py) = picture.at(px, py);
    }
  }
}

void Fill(Raster& stage, const Rect& area, Pixel colour) {
  for (int y = area.y; y < area.bottom(); ++y) {
    for (int x = area.x; x < area.right(); ++x) stage.at(x, y) = colour;
  }
}

void HorizontalBand(Raster& stage, int y) {
  Fill(stage, {0, y, 766, 3}, kLineColour);
}

void VerticalBand(Raster& stage, int x) {
  Fill(stage, {x, 0, 3, 573}, kLineColour);
}

struct Leftover {
  const char* what;
  int scene;
  std::function<void(Raster&)> spoil;
};

// Each row spoils a true picture of the scene the way a fault would show.
TEST(SceneLooksTest, CatchLeftoversTrailsAndMissingParts) {
  const std::vector<Leftover> cases = {
      {"the UFO left in the ball scene", 2, [](Raster& r) { Paste(r, PictureId::Image1, 300, 300); }},
      {"a saucer left in the ball scene", 2, [](Raster& r) { Paste(r, PictureId::Image2, 300, 300); }},
      {"a trail of the yellow ball", 2, [](Raster& r) { Paste(r, PictureId::Image16, 300, 300); }},
      {"the crosshair left in the ball scene", 2, [](Raster& r) { HorizontalBand(r, 300); VerticalBand(r, 300); }},
      {"a ball left in the eureka scene", 3, [](Raster& r) { Paste(r, PictureId::Image15, 600, 300); }},
      {"a paddle left in the eureka scene", 3, [](Raster& r) { Paste(r, PictureId::Image7, 600, 500); }},
      {"the tree missing", 3, [](Raster& r) { Paste(r, PictureId::Image33, 200, 400); }},
      {"the caption missing", 3, [](Raster& r) { Fill(r, {8, 0, 385, 41}, kBackground); }},
      {"an uncovered part left unpainted", 3, [](Raster& r) { Fill(r, {500, 300, 200, 1}, Rgb(0, 255, 255)); }},
      {"the caption left in the heaven scene", 4, [](Raster& r) { Paste(r, PictureId::Image19, 20, 0); }},
      {"the tree left in the heaven scene", 4, [](Raster& r) { Paste(r, PictureId::Image17, 600, 300); }},
      {"the heart out of place", 4, [](Raster& r) { Paste(r, PictureId::Image33, 500, 300); }},
      {"a woman's dress left in the death scene", 5, [](Raster& r) { Paste(r, PictureId::Image31, 400, 100); }},
      {"a second UFO in the death scene", 5, [](Raster& r) { Paste(r, PictureId::Image1, 600, 100); }},
      {"the dragger up in the sky", 5, [](Raster& r) { Paste(r, PictureId::Image34, 400, 50); }},
      {"the crosshair missing", 6, [](Raster& r) { r = Raster(r.width, r.height, kBackground); }},
      {"the corpse left in the sight scene", 6, [](Raster& r) { Paste(r, PictureId::Image36, 400, 450); }},
  };
  for (const Leftover& c : cases) {
    Animation run;
    run.random().UseFixedSeed(1);
    run.Start();
    run.ChooseScene(c.scene);
    for (int tick = 0; tick < 8; ++tick) run.Tick();
    Raster picture = run.stage().picture();
    ASSERT_EQ(CheckScene(c.scene, ShotOf(picture)), "") << c.what << ": the true picture fails";
    c.spoil(picture);
    EXPECT_NE(CheckScene(c.scene, ShotOf(picture)), "") << c.what;
  }
}

}  // namespace
}  // namespace animatsiya::e2e
