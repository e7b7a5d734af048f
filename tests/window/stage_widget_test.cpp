#include <QCoreApplication>

#include "pixels/geometry.h"
#include "stage/stage_widget.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

class StageWidgetTest : public WindowTest {
 protected:
  Raster picture{kStageWidth, kStageHeight, kBackground};
};

TEST_F(StageWidgetTest, FirstShowPaintsTheWholePicture) {
  for (int x = 0; x < kStageWidth; ++x) picture.at(x, x % kStageHeight) = kLineColour;
  StageWidget widget(picture);
  ShowAndWait(widget);
  QCoreApplication::processEvents();
  EXPECT_EQ(DifferingPixels(ScreenImage(widget), picture), 0);
}

TEST_F(StageWidgetTest, PresentsTheDamageAndNothingElse) {
  StageWidget widget(picture);
  ShowAndWait(widget);
  QCoreApplication::processEvents();

  // A diagonal and a rectangle are damaged. A pixel changed outside them but inside their
  // bounding box must not reach the screen: only the damage itself is painted.
  RowSpans damage;
  for (int i = 0; i < 300; ++i) {
    picture.at(100 + i, 50 + i) = kLineColour;
    damage.AddRect({100 + i, 50 + i, 1, 1});
  }
  const Rect box{600, 400, 30, 20};
  for (int y = box.y; y < box.bottom(); ++y) {
    for (int x = box.x; x < box.right(); ++x) picture.at(x, y) = Rgb(255, 0, 0);
  }
  damage.AddRect(box);
  picture.at(120, 300) = kLineColour;

  widget.AddDamage(damage);
  widget.Present();
  QCoreApplication::processEvents();

  const QImage screen = ScreenImage(widget);
  EXPECT_EQ(screen.pixel(120, 300) | 0xFF000000u, kBackground);
  picture.at(120, 300) = kBackground;
  EXPECT_EQ(DifferingPixels(screen, picture), 0);
}

}  // namespace
}  // namespace animatsiya::testing
