#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "stage/stage_widget.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Qt's runtime folder, so that a bare environment gets no warning about a missing one.
  QTemporaryDir runtime;
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  animatsiya::UseWholePixelScaling();
  std::unique_ptr<QApplication> app;
  if (HasDisplay()) app = std::make_unique<QApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
