#pragma once

#include <QMainWindow>

#include "app/animation.h"
#include "stage/qt_caption_renderer.h"

namespace animatsiya {

class FrameTimer;
class StageWidget;

// The main window: the whole application. It forwards its timer ticks and menu commands
// to the animation and presents what they changed.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  Animation& animation() { return animation_; }
  const FrameTimer& timer1() const { return *timer1_; }
  // Ticks of Timer1 run so far; the window driver counts the frame rate with it.
  long ticks() const { return ticks_; }

 private:
  void AddMenus();
  void OnTimer1();
  void OnSceneCommand(int k);
  void OnSpeedCommand(Speed speed);
  void Present();

  QtCaptionRenderer captions_;  // made before the stage that draws with it
  Animation animation_;
  StageWidget* stage_ = nullptr;
  FrameTimer* timer1_ = nullptr;
  long ticks_ = 0;
};

}  // namespace animatsiya
