#include "stage/stage_widget.h"

#include <QGuiApplication>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "pixels/geometry.h"

namespace animatsiya {
namespace {

// Room a new window leaves on the screen for its title bar, frame and menu bar, in
// logical pixels.
constexpr int kChromeWidth = 32;
constexpr int kChromeHeight = 96;

// Rounding errors of fractional scales must not move a whole device pixel.
constexpr qreal kSlack = 1e-6;

bool IsWhole(qreal ratio) { return std::abs(ratio - std::round(ratio)) < kSlack; }

// The image that the painter paints into, the window's backing store, when its pixels take
// the picture's 0xFFRRGGBB words as they are. The picture is then copied straight into it
// a row at a time: a copy through the painter goes through Qt's general image drawing,
// which on every present costs several times the copy itself.
QImage* DirectTarget(QPainter& painter) {
  QPaintDevice* device = painter.paintEngine()->paintDevice();
  if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      return image;
    default:
      return nullptr;
  }
}

}  // namespace

void UseWholePixelScaling() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

StagePlacement PlaceStage(QSize deviceArea) {
  const int factor = std::max(
      1, std::min(deviceArea.width() / kStageWidth, deviceArea.height() / kStageHeight));
  const QSize size(kStageWidth * factor, kStageHeight * factor);
  return {factor, QRect(QPoint(0, 0), deviceArea),
          QRect(QPoint((deviceArea.width() - size.width()) / 2,
                               (deviceArea.height() - size.height()) / 2),
                        size)};
}

int StartFactor(qreal devicePixelRatio, QSize spareDevicePixels) {
  int factor = std::max(1, static_cast<int>(std::floor(devicePixelRatio + 0.5)));
  while (factor > 1 && (kStageWidth * factor > spareDevicePixels.width() ||
                        kStageHeight * factor > spareDevicePixels.height())) {
    --factor;
  }
  return factor;
}

StageWidget::StageWidget(const Raster& picture, QWidget* parent)
    : QWidget(parent),
      image_(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
             picture.height, picture.width * static_cast<qsizetype>(sizeof(Pixel)),
             QImage::Format_RGB32) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // Every pixel is painted from the picture or the border, so Qt need not erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

StageWidget::DeviceFrame StageWidget::FrameOf(QPointF exactOrigin, QSizeF logicalSize,
                                              qreal ratio) {
  const QPointF end = exactOrigin + QPointF(logicalSize.width(), logicalSize.height()) * ratio;
  const QPoint origin(static_cast<int>(std::ceil(exactOrigin.x() - kSlack)),
                      static_cast<int>(std::ceil(exactOrigin.y() - kSlack)));
  const QPoint last(static_cast<int>(std::floor(end.x() + kSlack)),
                    static_cast<int>(std::floor(end.y() + kSlack)));
  return {exactOrigin, origin, QSize(last.x() - origin.x(), last.y() - origin.y()), ratio};
}

StageWidget::DeviceFrame StageWidget::FrameOnWindow() const {
  const qreal ratio = devicePixelRatioF();
  return FrameOf(QPointF(mapTo(window(), QPoint(0, 0))) * ratio, size(), ratio);
}

StagePlacement StageWidget::PlacementInWindow() const {
  const DeviceFrame frame = FrameOnWindow();
  StagePlacement place = PlaceStage(frame.size);
  place.area.translate(frame.origin);
  place.rect.translate(frame.origin);
  return place;
}

QSize StageWidget::LogicalSizeFor(int factor) const {
  const qreal ratio = devicePixelRatioF();
  // A widget at a fractional device position loses up to a device pixel on each axis.
  const int slack = IsWhole(ratio) ? 0 : 1;
  return QSize(static_cast<int>(std::ceil((kStageWidth * factor + slack) / ratio - kSlack)),
               static_cast<int>(std::ceil((kStageHeight * factor + slack) / ratio - kSlack)));
}

QSize StageWidget::sizeHint() const {
  const qreal ratio = devicePixelRatioF();
  const QSize spare = screen()->availableGeometry().size() - QSize(kChromeWidth, kChromeHeight);
  return LogicalSizeFor(StartFactor(ratio, spare * ratio));
}

QSize StageWidget::minimumSizeHint() const { return LogicalSizeFor(1); }

void StageWidget::AddDamage(const RowSpans& damage) {
  // Kept as spans rather than a region: a region costs allocations and a union for every
  // rectangle, on every wake.
  for (int y = damage.top(); y < damage.bottom(); ++y) {
    if (!damage.RowEmpty(y)) pending_.AddRun(y, damage.begin(y), damage.end(y));
  }
}

void StageWidget::Present() {
  if (pending_.empty()) return;
  const DeviceFrame frame = FrameOnWindow();
  const StagePlacement place = PlaceStage(frame.size);
  if (place.factor != scaledFactor_) {
    // The widget was resized and its full repaint has yet to come.
    pending_.Clear();
    update();
    return;
  }
  const int k = place.factor;
  const qreal ratio = frame.ratio;
  const bool exact = IsWhole(ratio) && frame.exactOrigin == QPointF(frame.origin);
  rects_.clear();
  for (const Rect& r : pending_.ToRects()) {
    const QRect stageRect(r.x, r.y, r.width, r.height);
    if (k > 1) ScaleRect(stageRect);
    if (exact && ratio == 1) {
      rects_.emplace_back(place.rect.topLeft() + stageRect.topLeft() * k, stageRect.size() * k);
      continue;
    }
    const QRectF device(QPointF(place.rect.topLeft() + stageRect.topLeft() * k + frame.origin) -
                            frame.exactOrigin,
                        QSizeF(stageRect.size() * k));
    const QRectF inWidget(device.topLeft() / ratio, device.size() / ratio);
    // A fractional scale rounds the logical rectangle to device pixels its own way.
    const int margin = exact ? 0 : 1;
    rects_.push_back(inWidget.toAlignedRect().adjusted(-margin, -margin, margin, margin));
  }
  pending_.Clear();
  QRegion logical;
  if (exact && ratio == 1) {
    // Device pixels are logical ones: the rectangles stay one band per run of rows,
    // sorted from the top, the form setRects takes in one pass.
    logical.setRects(rects_.data(), static_cast<int>(rects_.size()));
  } else {
    for (const QRect& r : rects_) logical += r;
  }
  // Painted and sent at once, within the wake that changed it: a posted update would wake
  // the event loop once more for every frame.
  repaint(logical);
}

void StageWidget::Rescale(int factor) {
  scaledFactor_ = factor;
  if (factor == 1) {
    scaled_ = QImage();
    return;
  }
  scaled_ = QImage(kStageWidth * factor, kStageHeight * factor, QImage::Format_RGB32);
  ScaleRect(QRect(0, 0, kStageWidth, kStageHeight));
}

void StageWidget::ScaleRect(const QRect& stageRect) {
  const QRect r = stageRect & QRect(0, 0, kStageWidth, kStageHeight);
  const int k = scaledFactor_;
  const size_t rowBytes = static_cast<size_t>(r.width()) * k * sizeof(Pixel);
  for (int y = r.top(); y <= r.bottom(); ++y) {
    const auto* from = reinterpret_cast<const Pixel*>(image_.constScanLine(y)) + r.left();
    auto* first = reinterpret_cast<Pixel*>(scaled_.scanLine(y * k)) + r.left() * k;
    for (int x = 0; x < r.width(); ++x) std::fill_n(first + x * k, k, from[x]);
    for (int copy = 1; copy < k; ++copy) {
      std::memcpy(reinterpret_cast<Pixel*>(scaled_.scanLine(y * k + copy)) + r.left() * k, first,
                  rowBytes);
    }
  }
}

void StageWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QTransform toDevice = painter.deviceTransform();
  const DeviceFrame frame = FrameOf(toDevice.map(QPointF(0, 0)), size(), toDevice.m11());
  const StagePlacement place = PlaceStage(frame.size);
  if (place.factor != scaledFactor_) Rescale(place.factor);
  const QImage& source = place.factor == 1 ? image_ : scaled_;

  // From here on one unit is one device pixel, counted from the frame's origin; the
  // picture is copied, never resampled, so its pixels keep their hard edges.
  const qreal ratio = frame.ratio;
  const QPointF shift = QPointF(frame.origin) - frame.exactOrigin;
  painter.setWorldTransform(
      QTransform(1 / ratio, 0, 0, 1 / ratio, shift.x() / ratio, shift.y() / ratio));
  const QRect area(QPoint(0, 0), frame.size);
  const QColor border = palette().color(QPalette::Window);
  // Only where every device pixel of the frame is whole does its clip fall on the
  // rectangles painted here.
  QImage* target = IsWhole(ratio) && shift.isNull() ? DirectTarget(painter) : nullptr;
  uchar* targetBits = target != nullptr ? target->bits() : nullptr;
  for (const QRect& r : event->region()) {
    const QPointF from = QPointF(r.topLeft()) * ratio - shift;
    const QPointF to = QPointF(r.topLeft() + QPoint(r.width(), r.height())) * ratio - shift;
    const QRect device(QPoint(static_cast<int>(std::floor(from.x() + kSlack)),
                              static_cast<int>(std::floor(from.y() + kSlack))),
                       QPoint(static_cast<int>(std::ceil(to.x() - kSlack)) - 1,
                              static_cast<int>(std::ceil(to.y() - kSlack)) - 1));
    // The border also takes the device pixels the widget only partly covers, where the
    // clip lets it: nobody else paints them.
    if (!place.rect.contains(device)) {
      for (const QRect& b : QRegion(device) - QRegion(place.rect)) painter.fillRect(b, border);
    }
    const QRect shown = device & area & place.rect;
    if (shown.isEmpty()) continue;
    const QRect part = shown.translated(-place.rect.topLeft());
    const QRect onTarget = shown.translated(frame.origin);
    if (target != nullptr && target->rect().contains(onTarget)) {
      const size_t rowBytes = static_cast<size_t>(shown.width()) * sizeof(Pixel);
      for (int y = 0; y < shown.height(); ++y) {
        std::memcpy(targetBits + (onTarget.y() + y) * target->bytesPerLine() +
                        onTarget.x() * static_cast<qsizetype>(sizeof(Pixel)),
                    source.constScanLine(part.y() + y) + part.x() * sizeof(Pixel), rowBytes);
      }
      continue;
    }
    painter.drawImage(shown.topLeft(), source, part);
  }
}

}  // namespace animatsiya
