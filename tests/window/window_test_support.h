#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <string>

#include "pixels/raster.h"
#include "stage/stage_widget.h"

namespace animatsiya::testing {

// Window tests need a QApplication, which needs a display; without one they skip.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
};

// Shows a top-level widget and waits until the window system has mapped it.
void ShowAndWait(QWidget& window);

// What the screen shows of a top-level window, in device pixels.
QImage WindowDevicePixels(const QWidget& window);

// Counts the pixels where an image differs from a raster of the same size.
long DifferingPixels(const QImage& image, const Raster& raster);

// Counts the device pixels of a stage widget's stage, as the screen shows it, that differ
// from the picture enlarged by the widget's factor.
long StageDiffers(const StageWidget& widget, const Raster& picture);

// Checks a stage widget as the screen shows it: the picture at the widget's own placement,
// each stage pixel a uniform square of whole device pixels, the largest factor that fits,
// centred, and a border of one plain colour. An empty string, or what is wrong.
std::string CheckStageOnScreen(const StageWidget& widget, const Raster& picture);

// The same check once the window system has caught up with a resize or a present: the
// event loop runs until the check passes, or gives up after a few seconds with what is
// still wrong. Nothing is judged by how long it took.
std::string AwaitStageOnScreen(const StageWidget& widget, const Raster& picture);

}  // namespace animatsiya::testing
