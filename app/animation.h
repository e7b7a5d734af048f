#pragma once

#include "app/animation_state.h"
#include "app/random_source.h"
#include "stage/stage.h"

namespace animatsiya {

enum class Speed { Normal, Fast };

inline constexpr int kNormalIntervalMs = 50;
inline constexpr int kFastIntervalMs = 1;

// Everything the main window owns apart from its toolkit objects: the record, the stage,
// the random source and the frame interval. The window forwards its timer ticks and menu
// clicks here; the trace tool and the tests drive it directly.
class Animation {
 public:
  // Window creation: StartUp on the freshly built stage, then the whole stage composed.
  void Start();
  // One tick of the frame timer: RunFrame, then the repaint of what the step changed.
  void Tick();
  // The scene command of "Меню": clears the lines and selects scene k (1 to 6).
  void ChooseScene(int k);
  // The speed command of "Скорость".
  void ChooseSpeed(Speed speed);

  int intervalMs() const { return intervalMs_; }
  AnimationState& state() { return state_; }
  const AnimationState& state() const { return state_; }
  Stage& stage() { return stage_; }
  const Stage& stage() const { return stage_; }
  RandomSource& random() { return random_; }

 private:
  void RunFrame();

  AnimationState state_{};
  Stage stage_;
  RandomSource random_;
  int intervalMs_ = kNormalIntervalMs;
};

}  // namespace animatsiya
