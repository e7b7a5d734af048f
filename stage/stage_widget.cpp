#include "stage/stage_widget.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

#include <vector>

#include "pixels/geometry.h"

namespace animatsiya {

void UseWholePixelScaling() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

StageWidget::StageWidget(const Raster& picture, QWidget* parent)
    : QWidget(parent),
      image_(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
             picture.height, picture.width * static_cast<qsizetype>(sizeof(Pixel)),
             QImage::Format_RGB32) {
  setFixedSize(kStageWidth, kStageHeight);
  // Every pixel is painted from the picture, so Qt need not erase anything first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void StageWidget::AddDamage(const RowSpans& damage) {
  if (damage.empty()) return;
  const std::vector<Rect> rects = damage.ToRects();
  std::vector<QRect> bands;
  bands.reserve(rects.size());
  for (const Rect& r : rects) bands.emplace_back(r.x, r.y, r.width, r.height);
  // The spans come one band per row run, sorted from the top: the form setRects takes,
  // which builds the region in one pass rather than one union per rectangle.
  QRegion changed;
  changed.setRects(bands.data(), static_cast<int>(bands.size()));
  pending_ += changed;
}

void StageWidget::Present() {
  if (pending_.isEmpty()) return;
  update(pending_);
  pending_ = QRegion();
}

void StageWidget::paintEvent(QPaintEvent* event) {
  // Without smooth transforms a scaled stage keeps its hard pixel edges.
  QPainter painter(this);
  for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), image_, r);
}

}  // namespace animatsiya
