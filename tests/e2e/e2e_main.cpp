#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

#include "stage/stage_widget.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The test reads the screen and builds the program's widgets on the program's own X
  // display; without one the tests skip.
  std::unique_ptr<QApplication> app;
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') {
    qputenv("QT_QPA_PLATFORM", "xcb");
    animatsiya::UseWholePixelScaling();
    app = std::make_unique<QApplication>(argc, argv);
  }
  return RUN_ALL_TESTS();
}
