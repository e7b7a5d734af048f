#include <QApplication>

#include "app/form1.h"
#include "stage/stage_widget.h"

int main(int argc, char** argv) {
  animatsiya::UseWholePixelScaling();
  QApplication app(argc, argv);
  // Lets a Wayland desktop match the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.animatsiya.Animatsiya"));
  animatsiya::Form1 window;
  window.show();
  return app.exec();
}
