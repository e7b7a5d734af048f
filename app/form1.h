#pragma once

#include <QMainWindow>

#include "app/animation.h"
#include "app/frame_timer.h"

namespace animatsiya {

class StageWidget;

// The main window: the whole application. It forwards its timer ticks and menu commands
// to the animation and presents what they changed.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  // Timer1 reads the time from clock; tests pass one that they move by hand.
  explicit Form1(QWidget* parent = nullptr, FrameTimer::Clock clock = FrameTimer::MonotonicNow);

  Animation& animation() { return animation_; }
  FrameTimer& timer1() { return *timer1_; }
  // Ticks of Timer1 run so far; the window driver counts the frame rate with it.
  long ticks() const { return ticks_; }

 private:
  void AddMenus();
  void OnTimer1();
  void OnSceneCommand(int k);
  void OnSpeedCommand(Speed speed);
  void Present();

  Animation animation_;
  StageWidget* stage_ = nullptr;
  FrameTimer* timer1_ = nullptr;
  long ticks_ = 0;
};

}  // namespace animatsiya
