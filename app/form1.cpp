#include "app/form1.h"

namespace animatsiya {

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Анимация"));
  animation_.Start();
}

}  // namespace animatsiya
