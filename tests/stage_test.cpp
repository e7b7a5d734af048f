#include <gtest/gtest.h>

#include <random>

#include "stage/caption_look.h"
#include "stage/stage.h"

namespace animatsiya {
namespace {

// Pixel rectangle of an element, as the stage maps twips to pixels.
Rect RectOf(const Element& e) {
  return {TwipsToPixel(e.left), TwipsToPixel(e.top), e.width / kTwipsPerPixel,
          e.height / kTwipsPerPixel};
}

// A plain Bresenham line, kept apart from the compositor's own.
void PaintLine(Raster& r, int x1, int y1, int x2, int y2) {
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    if (x1 >= 0 && y1 >= 0 && x1 < r.width && y1 < r.height) r.at(x1, y1) = kLineColour;
    if (x1 == x2 && y1 == y2) return;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x1 += sx; }
    if (e2 <= dx) { err += dx; y1 += sy; }
  }
}

void CopyRect(Raster& to, const Raster& from, const Rect& r) {
  const Rect c = Intersect(r, kStageRect);
  for (int y = c.y; y < c.bottom(); ++y)
    for (int x = c.x; x < c.right(); ++x) to.at(x, y) = from.at(x, y);
}

TEST(TwipsToPixelTest, FloorsAlsoBelowZero) {
  EXPECT_EQ(TwipsToPixel(0), 0);
  EXPECT_EQ(TwipsToPixel(14), 0);
  EXPECT_EQ(TwipsToPixel(15), 1);
  EXPECT_EQ(TwipsToPixel(-1), -1);
  EXPECT_EQ(TwipsToPixel(-15), -1);
  EXPECT_EQ(TwipsToPixel(-16), -2);
}

bool SameState(const Element& a, const Element& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.visible == b.visible && a.picture == b.picture;
}

// The incremental stage picture must always equal what the drawing rules say: lines
// painted at once, a clear composing everything, and at the end of a step every changed
// element composed anew over each rectangle it covered during the step. The reference
// applies the rules naively, taking its compositions from ComposeFresh.
TEST(StageTest, IncrementalPictureFollowsTheDrawingRules) {
  Stage stage;
  stage.ComposeAll();
  Raster reference = stage.ComposeFresh();
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const ElementId sprites[] = {Image1, Image2, Image3, Image7, Image9, Image15, Image16,
                               Image17, Image18, Image22, Image33, Image37, Image38, Image40};
  const int last = static_cast<int>(std::size(sprites)) - 1;

  for (int step = 0; step < 400; ++step) {
    std::vector<Rect> covered[kElementCount + 1];
    for (int op = pick(1, 12); op > 0; --op) {
      ElementId id = sprites[pick(0, last)];
      const int kind = pick(0, 6);
      if (kind == 4) id = Label1;
      const Element before = stage.element(id);
      switch (kind) {
        case 0: stage.SetLeft(id, pick(-1500, 12000)); break;
        case 1: stage.SetTop(id, pick(-1500, 9000)); break;
        case 2: stage.SetVisible(id, pick(0, 1) == 1); break;
        case 3: stage.TakePicture(id, sprites[pick(0, last)]); break;
        case 4: stage.SetVisible(Label1, pick(0, 1) == 1); break;
        case 5:
          stage.ClearDrawing();
          reference = stage.ComposeFresh();
          break;
        default: {
          // Straight along a row or a column, as the crosshair's, or any way.
          const int shape = pick(0, 2);
          const int x1 = pick(-500, 12500), y1 = pick(-500, 9500);
          const int x2 = shape == 0 ? x1 : pick(-500, 12500);
          const int y2 = shape == 1 ? y1 : pick(-500, 9500);
          stage.DrawLine(x1, y1, x2, y2);
          PaintLine(reference, TwipsToPixel(x1), TwipsToPixel(y1), TwipsToPixel(x2),
                    TwipsToPixel(y2));
        }
      }
      const Element& after = stage.element(id);
      if (SameState(before, after)) continue;
      if (covered[id].empty()) covered[id].push_back(RectOf(before));
      covered[id].push_back(RectOf(after));
    }
    stage.FinishStep();
    const Raster fresh = stage.ComposeFresh();
    for (const auto& rects : covered) {
      for (const Rect& r : rects) CopyRect(reference, fresh, r);
    }
    ASSERT_EQ(stage.picture().pixels, reference.pixels) << "after step " << step;
  }
}

// A composed element hides what lies behind it with its whole rectangle.
Pixel At(const Raster& r, int x, int y) { return r.at(x, y); }

TEST(StageTest, CaptionHidesTheUfoAndTheTargetCoversTheCaption) {
  Stage stage;
  stage.SetLeft(Image1, 300);  // pixel 20: under the caption, which starts at pixel 8
  stage.SetTop(Image1, 0);
  stage.SetVisible(Image40, true);
  stage.SetLeft(Image40, 3000);  // pixel 200, inside the caption's 8..392
  stage.SetTop(Image40, 0);
  const Raster fresh = stage.ComposeFresh();
  const Raster& ufo = *GetPicture(PictureId::Image1).raster;
  const Raster& reaper = *GetPicture(PictureId::Image40).raster;
  // The UFO stands at pixel (20, 0): within the caption's rows 0..40 the caption's text
  // and grey win; below them the UFO shows.
  Raster caption(kCaptionWidth, kCaptionHeight, kBackground);
  DrawCaption(stage.caption(), caption);
  int figure = 0;
  for (int y = 0; y < ufo.height; ++y) {
    for (int x = 0; x < ufo.width; ++x) {
      if (ufo.at(x, y) == kBackground) continue;
      ++figure;
      const Pixel shown = y < kCaptionHeight ? caption.at(20 - 8 + x, y) : ufo.at(x, y);
      ASSERT_EQ(At(fresh, 20 + x, y), shown) << x << "," << y;
    }
  }
  EXPECT_GT(figure, 0);
  for (int y = 0; y < reaper.height; ++y)
    for (int x = 0; x < reaper.width; ++x)
      ASSERT_EQ(At(fresh, 200 + x, y), reaper.at(x, y)) << x << "," << y;
}

// A new caption text shows in the caption's rectangle once the step has returned.
TEST(StageTest, NewCaptionTextIsDrawnAtTheEndOfTheStep) {
  Stage stage;
  stage.ComposeAll();
  stage.SetCaption("Прикол");
  Raster expected(kCaptionWidth, kCaptionHeight, kBackground);
  DrawCaption("Прикол", expected);
  stage.FinishStep();
  // Left of the heart, which stands in front of the caption from pixel 256 on.
  for (int y = 0; y < kCaptionHeight; ++y) {
    for (int x = 0; x < 240; ++x) {
      ASSERT_EQ(stage.picture().at(8 + x, y), expected.at(x, y)) << x << "," << y;
    }
  }
}

TEST(StageTest, TakePictureResizesTheTargetAndKeepsItsCorner) {
  Stage stage;
  stage.TakePicture(Image11, Image9);
  const Element& paddle = stage.element(Image11);
  EXPECT_EQ(paddle.left, 5040);
  EXPECT_EQ(paddle.top, 360);
  EXPECT_EQ(paddle.width, 255);
  EXPECT_EQ(paddle.height, 1380);
  EXPECT_EQ(paddle.picture, PictureId::Image9);
  // The source keeps its picture; a later hand-over to the source leaves the target.
  stage.TakePicture(Image9, Image7);
  EXPECT_EQ(stage.element(Image11).picture, PictureId::Image9);
}

class LineWipeTest : public ::testing::Test {
 protected:
  LineWipeTest() {
    stage.ComposeAll();
    stage.FinishStep();
    // The apple at pixel (100, 100), 10 x 8, and a horizontal line through it.
    stage.SetLeft(Image18, 1500);
    stage.SetTop(Image18, 1500);
    stage.FinishStep();
    stage.DrawLine(0, 1530, 3000, 1530);  // row 102, pixels 0..200
  }
  Stage stage;
};

TEST_F(LineWipeTest, MovedSpriteWipesTheLineInsideItsOldAndNewRectangles) {
  stage.SetLeft(Image18, 1800);  // pixel 120
  stage.FinishStep();
  const Raster& shown = stage.picture();
  const Raster fresh = stage.ComposeFresh();
  // Old rectangle: pixels 100..109; new one: 120..129; the line stays between them.
  for (int x = 100; x < 110; ++x) EXPECT_EQ(shown.at(x, 102), fresh.at(x, 102)) << x;
  for (int x = 120; x < 130; ++x) EXPECT_EQ(shown.at(x, 102), fresh.at(x, 102)) << x;
  for (int x = 110; x < 120; ++x) EXPECT_EQ(shown.at(x, 102), kLineColour) << x;
  EXPECT_EQ(shown.at(99, 102), kLineColour);
  EXPECT_EQ(shown.at(130, 102), kLineColour);
  EXPECT_EQ(shown.at(200, 102), kLineColour);
}

// Rule 4 holds for a sprite that shows nothing: moving it recomposes its rectangles,
// lines there included.
TEST_F(LineWipeTest, HiddenSpriteMovedOverTheLineWipesItThere) {
  stage.SetVisible(Image18, false);
  stage.FinishStep();
  stage.DrawLine(0, 1530, 3000, 1530);  // paint the row again over the hidden apple
  stage.SetLeft(Image18, 2400);         // pixel 160, hidden all the while
  stage.FinishStep();
  const Raster fresh = stage.ComposeFresh();
  for (int x = 160; x < 170; ++x) EXPECT_EQ(stage.picture().at(x, 102), fresh.at(x, 102)) << x;
  EXPECT_EQ(stage.picture().at(150, 102), kLineColour);
  EXPECT_EQ(stage.picture().at(170, 102), kLineColour);
}

TEST_F(LineWipeTest, SetThatRepeatsAValueWipesNothing) {
  stage.SetLeft(Image18, 1500);
  stage.SetTop(Image18, 1500);
  stage.SetVisible(Image18, true);
  stage.TakePicture(Image18, Image18);
  stage.SetCaption(stage.caption());
  stage.FinishStep();
  for (int x = 0; x <= 200; ++x) EXPECT_EQ(stage.picture().at(x, 102), kLineColour) << x;
}

// A sprite hidden and shown again within one step has changed: a clear in between
// composed the stage without it, and the end of the step must bring it back.
TEST(StageTest, SpriteHiddenAndShownAroundAClearIsRecomposed) {
  Stage stage;
  stage.ComposeAll();
  stage.SetVisible(Image37, false);
  stage.ClearDrawing();
  stage.SetVisible(Image37, true);
  stage.FinishStep();
  EXPECT_EQ(stage.picture().pixels, stage.ComposeFresh().pixels);
}

TEST(StageTest, ClearDrawingWipesEveryLineAndTouchesNoElement) {
  Stage stage;
  stage.ComposeAll();
  stage.FinishStep();
  const Raster before = stage.picture();
  stage.DrawLine(0, 0, 11594, 8759);
  stage.DrawLine(0, 8759, 11594, 0);
  EXPECT_NE(stage.picture().pixels, before.pixels);
  stage.ClearDrawing();
  stage.FinishStep();
  EXPECT_EQ(stage.picture().pixels, before.pixels);
}

TEST(StageTest, NegativeTopShowsOnlyTheRowsBelowTheEdge) {
  Stage stage;
  stage.SetLeft(Image33, 0);
  stage.SetTop(Image33, -16);  // two pixel rows above the stage
  const Raster fresh = stage.ComposeFresh();
  const Raster& heart = *GetPicture(PictureId::Image33).raster;
  for (int x = 0; x < heart.width; ++x) ASSERT_EQ(fresh.at(x, 0), heart.at(x, 2)) << x;
}

TEST(StageTest, DamageCoversWhatChanged) {
  Stage stage;
  stage.ComposeAll();
  stage.FinishStep();
  stage.TakeDamage();
  stage.SetLeft(Image18, 1500);
  stage.FinishStep();
  const RowSpans damage = stage.TakeDamage();
  // The apple's old place (pixel 32, 240) and new one (100, 240).
  EXPECT_FALSE(damage.RowEmpty(240));
  EXPECT_LE(damage.begin(240), 32);
  EXPECT_GE(damage.end(240), 110);
  EXPECT_TRUE(damage.RowEmpty(0));
  EXPECT_TRUE(stage.TakeDamage().empty());
}

}  // namespace
}  // namespace animatsiya
