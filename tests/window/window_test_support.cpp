#include "tests/window/window_test_support.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

namespace animatsiya::testing {

void WindowTest::SetUp() {
  if (qApp == nullptr) GTEST_SKIP() << "no display";
}

void ShowAndWait(QWidget& window) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

QImage ScreenImage(const QWidget& widget) {
  const QWidget* top = widget.window();
  const QPoint at = widget.mapTo(top, QPoint(0, 0));
  return top->screen()
      ->grabWindow(top->winId(), at.x(), at.y(), widget.width(), widget.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
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

}  // namespace animatsiya::testing
