#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "stage/stage_widget.h"
#include "tests/e2e/program_window.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Qt's runtime folder for this process and the program it starts, so that a bare
  // environment gets no warning about a missing one.
  QTemporaryDir runtime;
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  // The test reads the screen and builds the program's widgets on the program's own X
  // display; without one the tests skip.
  std::unique_ptr<QApplication> app;
  QProcess openbox;
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') {
    qputenv("QT_QPA_PLATFORM", "xcb");
    animatsiya::UseWholePixelScaling();
    app = std::make_unique<QApplication>(argc, argv);
    // Window titles are read back as UTF-8 whatever locale the test runs in.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    if (const std::string problem = animatsiya::e2e::StartWindowManager(openbox); !problem.empty()) {
      std::cout << "No window manager: " << problem << "; the tests that need one skip.\n";
    }
  }
  const int status = RUN_ALL_TESTS();
  openbox.terminate();
  openbox.waitForFinished(3000);
  return status;
}
