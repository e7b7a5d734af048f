#include <QApplication>

#include "app/form1.h"
#include "stage/stage_widget.h"

int main(int argc, char** argv) {
  animatsiya::UseWholePixelScaling();
  QApplication app(argc, argv);
  animatsiya::Form1 window;
  window.show();
  return app.exec();
}
