#include "tests/window/window_test_support.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <optional>
#include <sstream>

#include "pixels/geometry.h"

namespace animatsiya::testing {

void WindowTest::SetUp() {
  if (qApp == nullptr) GTEST_SKIP() << "no display";
}

void ShowAndWait(QWidget& window) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

QImage WindowDevicePixels(const QWidget& window) {
  return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

long DifferingPixels(const QImage& image, const Raster& raster) {
  if (image.width() != raster.width || image.height() != raster.height) return -1;
  long differing = 0;
  for (int y = 0; y < raster.height; ++y) {
    const auto* line = reinterpret_cast<const Pixel*>(image.constScanLine(y));
    for (int x = 0; x < raster.width; ++x) differing += (line[x] | 0xFF000000u) != raster.at(x, y);
  }
  return differing;
}

namespace {

long Differing(const QImage& screen, const StagePlacement& place, const Raster& picture) {
  const int k = place.factor;
  long wrong = 0;
  for (int y = 0; y < place.rect.height(); ++y) {
    const auto* line = reinterpret_cast<const Pixel*>(screen.constScanLine(place.rect.y() + y)) + place.rect.x();
    for (int x = 0; x < place.rect.width(); ++x) wrong += (line[x] | 0xFF000000u) != picture.at(x / k, y / k);
  }
  return wrong;
}

}  // namespace

long StageDiffers(const StageWidget& widget, const Raster& picture) {
  const StagePlacement place = widget.PlacementInWindow();
  const QImage screen = WindowDevicePixels(*widget.window());
  if (!QRect(QPoint(0, 0), screen.size()).contains(place.rect)) return -1;
  return Differing(screen, place, picture);
}

std::string CheckStageOnScreen(const StageWidget& widget, const Raster& picture) {
  const StagePlacement place = widget.PlacementInWindow();
  const QImage screen = WindowDevicePixels(*widget.window());
  const int k = place.factor;
  std::ostringstream problems;
  if (!QRect(QPoint(0, 0), screen.size()).contains(place.area)) {
    problems << "the area " << place.area.width() << "x" << place.area.height()
             << " lies outside the window's " << screen.width() << "x" << screen.height() << "; ";
    return problems.str();
  }
  if (place.rect.size() != QSize(kStageWidth * k, kStageHeight * k) || !place.area.contains(place.rect)) {
    problems << "the stage does not fit its area at factor " << k << "; ";
  }
  const bool nextFits = place.area.width() >= kStageWidth * (k + 1) &&
                        place.area.height() >= kStageHeight * (k + 1);
  if (nextFits) problems << "factor " << k + 1 << " would fit too; ";
  const int gapsX = (place.rect.left() - place.area.left()) - (place.area.right() - place.rect.right());
  const int gapsY = (place.rect.top() - place.area.top()) - (place.area.bottom() - place.rect.bottom());
  if (std::abs(gapsX) > 1 || std::abs(gapsY) > 1) problems << "the stage is not centred; ";

  const auto at = [&](int x, int y) {
    return reinterpret_cast<const Pixel*>(screen.constScanLine(y))[x] | 0xFF000000u;
  };
  if (const long wrong = Differing(screen, place, picture); wrong > 0) problems << wrong << " device pixels of the stage differ from the picture at factor " << k << "; ";

  long off = 0;
  std::optional<Pixel> border;
  for (int y = place.area.top(); y <= place.area.bottom(); ++y) {
    for (int x = place.area.left(); x <= place.area.right(); ++x) {
      if (place.rect.contains(x, y)) continue;
      if (!border) border = at(x, y);
      off += at(x, y) != *border;
    }
  }
  if (off > 0) problems << off << " border pixels differ from its plain colour; ";
  return problems.str();
}

std::string AwaitStageOnScreen(const StageWidget& widget, const Raster& picture) {
  constexpr int kGiveUpMs = 5000;
  if (QTest::qWaitFor([&] { return CheckStageOnScreen(widget, picture).empty(); }, kGiveUpMs)) return {};
  return CheckStageOnScreen(widget, picture);
}

}  // namespace animatsiya::testing
