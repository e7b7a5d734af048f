#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "app/animation.h"

namespace animatsiya::testing {

struct Line {
  int x1, y1, x2, y2;
  bool operator==(const Line&) const = default;
};

struct Draw {
  int n, value;
  bool operator==(const Draw&) const = default;
};

// What the stage and the random source report: the lines drawn since the last clear, the
// clears, the draws, and where each reseed fell among the draws.
class EventLog : public StageObserver, public RandomObserver {
 public:
  void OnDrawLine(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
  void OnClearDrawing() override {
    lines.clear();
    ++clears;
  }
  void OnRandomInt(int n, int value) override { draws.push_back({n, value}); }
  void OnReseed() override { reseeds.push_back(draws.size()); }

  // Forgets everything, so that what follows can be seen on its own.
  void Reset() {
    lines.clear();
    clears = 0;
    draws.clear();
    reseeds.clear();
  }

  std::vector<Line> lines;
  int clears = 0;
  std::vector<Draw> draws;
  std::vector<std::size_t> reseeds;  // for each reseed, how many draws came before it
};

// A started animation with a fixed seed, as the window has it before its first tick, with
// a log of everything its stage and random source report from then on.
class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() {
    animation.random().UseFixedSeed(1);
    animation.Start();
    stage.SetObserver(&log);
    animation.random().SetObserver(&log);
  }

  // Chooses a scene from the menu and runs it for a number of ticks.
  void TickIn(int scene, int ticks) {
    animation.ChooseScene(scene);
    for (int i = 0; i < ticks; ++i) animation.Tick();
  }

  EventLog log;
  Animation animation;
  AnimationState& s = animation.state();
  Stage& stage = animation.stage();
};

// A scene test that looks at the stage through Look() after each tick.
template <class Frame>
class FrameTest : public AnimationTest {
 protected:
  virtual Frame Look() = 0;

  Frame Step() {
    animation.Tick();
    return Look();
  }

  // frames[i] is the frame after tick i + 1 of the run.
  std::vector<Frame> Run(int ticks) {
    std::vector<Frame> frames;
    for (int i = 0; i < ticks; ++i) frames.push_back(Step());
    return frames;
  }
};

}  // namespace animatsiya::testing
