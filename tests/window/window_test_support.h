#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "pixels/raster.h"

namespace animatsiya::testing {

// Window tests need a QApplication, which needs a display; without one they skip.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
};

// Shows a top-level widget and waits until the window system has mapped it.
void ShowAndWait(QWidget& window);

// What the window system holds for a widget's area, read back from the screen.
QImage ScreenImage(const QWidget& widget);

// Counts the pixels where an image differs from a raster of the same size.
long DifferingPixels(const QImage& image, const Raster& raster);

}  // namespace animatsiya::testing
