#include <QApplication>

#include <clocale>
#include <cstring>

#include <langinfo.h>

#include "app/form1.h"
#include "stage/stage_widget.h"

int main(int argc, char** argv) {
  animatsiya::UseWholePixelScaling();
  QApplication app(argc, argv);
  // Qt takes text as UTF-8 in any locale, but Xlib writes the window's legacy title in the
  // locale's own encoding: under the C locale the Cyrillic title would come out garbled.
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
  // Lets a Wayland desktop match the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.animatsiya.Animatsiya"));
  animatsiya::Form1 window;
  window.show();
  return app.exec();
}
