#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/animation.h"

namespace animatsiya::testing {

struct Line {
  int x1, y1, x2, y2;
  bool operator==(const Line&) const = default;
};

// Keeps the lines drawn since the last clear.
class LineRecorder : public StageObserver {
 public:
  void OnDrawLine(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
  void OnClearDrawing() override { lines.clear(); }
  std::vector<Line> lines;
};

// A started animation with a fixed seed, as the window has it before its first tick.
class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() {
    animation.random().UseFixedSeed(1);
    animation.Start();
  }

  // Chooses a scene from the menu and runs it for a number of ticks.
  void TickIn(int scene, int ticks) {
    animation.ChooseScene(scene);
    for (int i = 0; i < ticks; ++i) animation.Tick();
  }

  AnimationState& s = animation.state();
  Stage& stage = animation.stage();
  Animation animation;
};

}  // namespace animatsiya::testing
