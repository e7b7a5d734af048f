#include <QCoreApplication>
#include <QScreen>

#include <cmath>

#include "pixels/geometry.h"
#include "stage/stage_widget.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

TEST(StagePlacementTest, LargestWholeFactorThatFitsCentred) {
  struct Row {
    QSize area;
    int factor;
    QPoint at;
  };
  const Row rows[] = {
      {{773, 584}, 1, {0, 0}},     {{1545, 1200}, 1, {386, 308}}, {{1546, 1168}, 2, {0, 0}},
      {{2000, 1168}, 2, {227, 0}}, {{1600, 1800}, 2, {27, 316}},  {{2319, 1752}, 3, {0, 0}},
      {{700, 500}, 1, {-36, -42}},
  };
  for (const Row& row : rows) {
    const StagePlacement place = PlaceStage(row.area);
    EXPECT_EQ(place.factor, row.factor) << row.area.width() << "x" << row.area.height();
    EXPECT_EQ(place.rect, QRect(row.at, QSize(kStageWidth, kStageHeight) * row.factor))
        << row.area.width() << "x" << row.area.height();
  }
}

TEST(StagePlacementTest, StartFactorFollowsTheScreensScaleAsFarAsTheScreenAllows) {
  const QSize roomy(8000, 6000);
  struct Row {
    qreal scale;
    int factor;
  };
  for (const Row& row : {Row{1.0, 1}, Row{1.25, 1}, Row{1.5, 2}, Row{1.75, 2}, Row{2.0, 2},
                         Row{2.5, 3}, Row{3.0, 3}}) {
    EXPECT_EQ(StartFactor(row.scale, roomy), row.factor) << row.scale;
  }
  EXPECT_EQ(StartFactor(2.0, QSize(1545, 2000)), 1);
  EXPECT_EQ(StartFactor(3.0, QSize(2000, 1200)), 2);
  EXPECT_EQ(StartFactor(1.0, QSize(100, 100)), 1);
}

class StageWidgetTest : public WindowTest {
 protected:
  // Resizes the widget to about this many device pixels; the checks that follow wait for
  // its repaint.
  void ResizeTo(StageWidget& widget, QSize device) {
    const qreal ratio = widget.devicePixelRatioF();
    widget.resize(static_cast<int>(std::ceil(device.width() / ratio)),
                  static_cast<int>(std::ceil(device.height() / ratio)));
    QCoreApplication::processEvents();
  }

  Raster picture{kStageWidth, kStageHeight, kBackground};
};

TEST_F(StageWidgetTest, FirstShowPaintsTheWholePictureAtTheStartFactor) {
  for (int x = 0; x < kStageWidth; ++x) picture.at(x, x % kStageHeight) = kLineColour;
  StageWidget widget(picture);
  ShowAndWait(widget);
  QCoreApplication::processEvents();
  const qreal ratio = widget.devicePixelRatioF();
  const QSize spare = (widget.screen()->availableGeometry().size() - QSize(32, 96)) * ratio;
  EXPECT_EQ(widget.PlacementInWindow().factor, StartFactor(ratio, spare));
  EXPECT_EQ(CheckStageOnScreen(widget, picture), "");
}

TEST_F(StageWidgetTest, ResizedWidgetShowsTheStageAtTheLargestWholeFactor) {
  for (int x = 0; x < kStageWidth; ++x) picture.at(x, (3 * x) % kStageHeight) = Rgb(255, 0, 0);
  StageWidget widget(picture);
  ShowAndWait(widget);
  struct Row {
    QSize device;
    int factor;
  };
  for (const Row& row : {Row{{1600, 1200}, 2}, Row{{1500, 1200}, 1}, Row{{2330, 1760}, 3},
                         Row{{800, 600}, 1}, Row{{2300, 1200}, 2}}) {
    ResizeTo(widget, row.device);
    const std::string label = std::to_string(row.device.width()) + "x" + std::to_string(row.device.height());
    EXPECT_EQ(AwaitStageOnScreen(widget, picture), "") << label;
    EXPECT_EQ(widget.PlacementInWindow().factor, row.factor) << label;
  }
}

// After a resize the whole widget is painted once; from then on a present paints the
// damage, scaled, and nothing else.
TEST_F(StageWidgetTest, PresentsTheDamageAndNothingElseAtEachFactor) {
  for (const QSize device : {QSize(800, 600), QSize(1600, 1200)}) {
    picture = Raster(kStageWidth, kStageHeight, kBackground);
    StageWidget widget(picture);
    ShowAndWait(widget);
    ResizeTo(widget, device);
    ASSERT_EQ(AwaitStageOnScreen(widget, picture), "");

    // A diagonal and a rectangle are damaged, told in two parts before one present. A
    // pixel changed outside them but inside their bounding box must not reach the screen:
    // only the damage itself is painted.
    RowSpans diagonal;
    for (int i = 0; i < 300; ++i) {
      picture.at(100 + i, 50 + i) = kLineColour;
      diagonal.AddRect({100 + i, 50 + i, 1, 1});
    }
    const Rect box{600, 400, 30, 20};
    for (int y = box.y; y < box.bottom(); ++y) {
      for (int x = box.x; x < box.right(); ++x) picture.at(x, y) = Rgb(255, 0, 0);
    }
    RowSpans boxDamage;
    boxDamage.AddRect(box);
    picture.at(120, 300) = kLineColour;

    widget.AddDamage(diagonal);
    widget.AddDamage(boxDamage);
    widget.Present();
    QCoreApplication::processEvents();

    picture.at(120, 300) = kBackground;
    EXPECT_EQ(CheckStageOnScreen(widget, picture), "") << "at factor " << widget.PlacementInWindow().factor;
  }
}

}  // namespace
}  // namespace animatsiya::testing
