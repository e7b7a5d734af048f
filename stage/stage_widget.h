#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "pixels/raster.h"
#include "pixels/row_spans.h"

namespace animatsiya {

// Asks Qt for a whole device pixel ratio, so that on a high-DPI screen every stage pixel
// becomes a block of whole screen pixels. Call before the QApplication is made.
void UseWholePixelScaling();

// The client area: presents the stage picture, a buffer that the stage keeps for its
// whole life, without copying it. It paints only the rectangles it is asked for.
class StageWidget : public QWidget {
  Q_OBJECT

 public:
  explicit StageWidget(const Raster& picture, QWidget* parent = nullptr);

  // Adds pixels changed on the stage to what the next Present shows.
  void AddDamage(const RowSpans& damage);
  // Sends what changed since the last Present to the window system.
  void Present();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  QRegion pending_;
};

}  // namespace animatsiya
