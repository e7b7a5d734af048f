#pragma once

#include <QMainWindow>

#include "app/animation.h"

namespace animatsiya {

// The main window: the whole application.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

 private:
  Animation animation_;
};

}  // namespace animatsiya
