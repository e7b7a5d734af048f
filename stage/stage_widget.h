#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <vector>

#include "pixels/raster.h"
#include "pixels/row_spans.h"

class QPainter;

namespace animatsiya {

// Lets Qt pass a fractional screen scale through to menus and text: the stage widget
// itself keeps every stage pixel a block of whole device pixels. Call before the
// QApplication is made.
void UseWholePixelScaling();

// Where the stage stands in an area of device pixels: every stage pixel a square of
// factor x factor device pixels, with the largest whole factor that fits, centred.
struct StagePlacement {
  int factor = 1;
  QRect area;  // the device pixels placed in
  QRect rect;  // the stage among them
};
StagePlacement PlaceStage(QSize deviceArea);

// The factor a new window starts with: the screen's scale rounded half up (1 at 100 %,
// 2 at 150 % to 200 %), but no larger than fits the device pixels the screen can spare.
int StartFactor(qreal devicePixelRatio, QSize spareDevicePixels);

// The client area: presents the stage picture, a buffer that the stage keeps for its
// whole life, at a whole number of device pixels per stage pixel, whatever the screen's
// scale; the rest of the area is a plain border. After a resize it repaints once in
// full, and otherwise only the rectangles it is asked for.
class StageWidget : public QWidget {
  Q_OBJECT

 public:
  explicit StageWidget(const Raster& picture, QWidget* parent = nullptr);

  // Adds pixels changed on the stage to what the next Present shows.
  void AddDamage(const RowSpans& damage);
  // Sends what changed since the last Present to the window system.
  void Present();

  // The stage as it stands now, in device pixels of the top-level window.
  StagePlacement PlacementInWindow() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The widget's whole device pixels: Qt may put a widget at a fractional device
  // position, where a stage pixel would straddle two device pixels.
  struct DeviceFrame {
    QPointF exactOrigin;  // the widget's top-left corner in its paint device
    QPoint origin;        // the first whole device pixel inside the widget
    QSize size;
    qreal ratio = 1;
  };
  static DeviceFrame FrameOf(QPointF exactOrigin, QSizeF logicalSize, qreal ratio);
  DeviceFrame FrameOnWindow() const;
  QSize LogicalSizeFor(int factor) const;
  // Keeps the enlarged copy of the picture for a factor above 1.
  void Rescale(int factor);
  void ScaleRect(const QRect& stageRect);

  QImage image_;
  QImage scaled_;
  int scaledFactor_ = 1;
  RowSpans pending_;         // stage pixels changed since the last Present
  std::vector<QRect> rects_;  // what Present sends, kept to spare an allocation a wake
};

}  // namespace animatsiya
