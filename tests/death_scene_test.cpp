#include <optional>
#include <vector>

#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

using P = PictureId;

// What one step of the scene leaves behind.
struct Frame {
  Element dragger;
  Element reaper;
  Element ufo;
  bool targetVisible;
  bool labelVisible;
  int ufoX, ufoY, deathTick;
  std::vector<Line> lines;
};

class DeathSceneTest : public FrameTest<Frame> {
 protected:
  DeathSceneTest() { animation.ChooseScene(5); }

  Frame Look() override {
    return {stage.element(Image39), stage.element(Image37), stage.element(Image1),
            stage.element(Image40).visible, stage.element(Label1).visible, s.ufoX, s.ufoY,
            s.deathTick, log.lines};
  }
};

enum class Beam { None, Reaper, Man };

struct Figure {
  int left, top;
  bool visible;
  std::optional<PictureId> picture;
};

struct TimelineRow {
  int step;  // counted from the first step of the scene in the run; loop 2 starts at 212
  Figure dragger;
  Figure reaper;
  Beam beam;
  int deathTickAfter;
};

constexpr Figure kReaperIntact{200, 7000, true, P::Image40};

const TimelineRow kTimeline[] = {
    // The first step places both figures at the zero fields, the man without a picture.
    {1, {0, 0, true, std::nullopt}, {0, 0, true, P::Image40}, Beam::None, 1},
    {2, {11500, 7200, true, std::nullopt}, kReaperIntact, Beam::None, 2},
    {10, {11500, 7200, true, std::nullopt}, kReaperIntact, Beam::None, 10},
    {11, {11435, 7200, true, P::Image34}, kReaperIntact, Beam::None, 11},
    {15, {11175, 7200, true, P::Image34}, kReaperIntact, Beam::None, 15},
    {16, {11110, 7200, true, P::Image35}, kReaperIntact, Beam::None, 16},
    {22, {10720, 7200, true, P::Image35}, kReaperIntact, Beam::None, 22},
    {23, {10655, 7200, true, P::Image34}, kReaperIntact, Beam::None, 23},
    {146, {2660, 7200, true, P::Image34}, kReaperIntact, Beam::None, 146},
    {147, {2660, 7200, true, P::Image34}, kReaperIntact, Beam::None, 147},
    {149, {2660, 7200, true, P::Image34}, kReaperIntact, Beam::None, 149},
    {150, {2660, 7200, true, P::Image34}, kReaperIntact, Beam::Reaper, 150},
    {155, {2660, 7200, true, P::Image34}, kReaperIntact, Beam::Reaper, 155},
    {156, {2660, 7200, true, P::Image34}, {200, 7000, true, P::Image38}, Beam::None, 156},
    {161, {2660, 7200, true, P::Image34}, {200, 7000, true, P::Image38}, Beam::None, 161},
    {162, {2660, 7200, true, P::Image34}, {200, 7000, false, P::Image38}, Beam::None, 162},
    {184, {2660, 7200, true, P::Image34}, {200, 7000, false, P::Image38}, Beam::None, 184},
    {185, {2660, 7200, true, P::Image36}, {200, 7000, false, P::Image38}, Beam::Man, 185},
    {189, {2660, 7200, true, P::Image36}, {200, 7000, false, P::Image38}, Beam::Man, 189},
    {190, {2660, 7200, true, P::Image36}, {200, 7000, false, P::Image38}, Beam::None, 190},
    {191, {2660, 7200, false, P::Image36}, {200, 7000, false, P::Image38}, Beam::None, 191},
    {200, {2660, 7200, false, P::Image36}, {200, 7000, false, P::Image38}, Beam::None, 200},
    {211, {2660, 7200, false, P::Image36}, {200, 7000, false, P::Image38}, Beam::None, 0},
    // Loop 2: the man is shown where loop 1 left him, still broken, until his walk
    // reaches a pose.
    {212, {2660, 7200, true, P::Image36}, kReaperIntact, Beam::None, 1},
    {213, {11500, 7200, true, P::Image36}, kReaperIntact, Beam::None, 2},
    {222, {11435, 7200, true, P::Image36}, kReaperIntact, Beam::None, 11},
    {223, {11370, 7200, true, P::Image35}, kReaperIntact, Beam::None, 12},
};

void ExpectFigure(const Element& e, const Figure& f, const char* who) {
  SCOPED_TRACE(who);
  EXPECT_EQ(e.left, f.left);
  EXPECT_EQ(e.top, f.top);
  EXPECT_EQ(e.visible, f.visible);
  EXPECT_EQ(e.picture, f.picture);
}

// The 60 lines of a beam from the UFO to a sprite at (x, y).
std::vector<Line> BeamLines(int ufoX, int ufoY, int x, int y) {
  std::vector<Line> lines;
  for (int i = 1; i <= 60; ++i) {
    lines.push_back({ufoX + 200 + i, ufoY + 200 + i, x + 200 + i, y + 200 + i});
  }
  return lines;
}

TEST_F(DeathSceneTest, TimelineOfTheFirstTwoLoops) {
  const std::vector<Frame> frames = Run(223);
  for (const TimelineRow& row : kTimeline) {
    SCOPED_TRACE(row.step);
    const Frame& f = frames[row.step - 1];
    ExpectFigure(f.dragger, row.dragger, "man");
    ExpectFigure(f.reaper, row.reaper, "reaper");
    EXPECT_EQ(f.deathTick, row.deathTickAfter);
    std::vector<Line> beam;
    if (row.beam == Beam::Reaper) beam = BeamLines(f.ufoX, f.ufoY, 200, 7000);
    if (row.beam == Beam::Man) beam = BeamLines(f.ufoX, f.ufoY, 2660, 7200);
    EXPECT_EQ(f.lines, beam);
  }
  // The UFO moves and is shown on every step; the target and the caption stay hidden.
  for (const Frame& f : frames) {
    EXPECT_EQ(f.ufo.left, f.ufoX);
    EXPECT_EQ(f.ufo.top, f.ufoY);
    EXPECT_TRUE(f.ufo.visible);
    EXPECT_FALSE(f.targetVisible);
    EXPECT_FALSE(f.labelVisible);
  }
}

// draggerStep runs on across loops, 136 walking ticks each, so the first pose of the walk
// moves from loop to loop and comes back every third loop.
TEST_F(DeathSceneTest, FirstPoseChangeOfEachLoop) {
  struct Row {
    int loop;
    int tick;
    PictureId pose;
  };
  const Row rows[] = {{1, 11, P::Image34}, {2, 12, P::Image35}, {3, 15, P::Image34},
                      {4, 11, P::Image34}};
  const std::vector<Frame> frames = Run(4 * 211);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.loop);
    const int start = (row.loop - 1) * 211;  // index of the loop's tick 1
    std::optional<PictureId> before = frames[start + 9].dragger.picture;
    int tick = 11;
    while (tick < 147 && frames[start + tick - 1].dragger.picture == before) ++tick;
    EXPECT_EQ(tick, row.tick);
    EXPECT_EQ(frames[start + tick - 1].dragger.picture, row.pose);
  }
}

// Ticks 200 to 211 leave the UFO's visibility alone, so a UFO hidden by another scene
// stays hidden until the loop starts again.
TEST_F(DeathSceneTest, UfoHiddenByAnotherSceneReturnsAtLoopStart) {
  Run(199);
  animation.ChooseScene(2);
  animation.Tick();
  ASSERT_FALSE(stage.element(Image1).visible);
  animation.ChooseScene(5);
  const std::vector<Frame> frames = Run(13);
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(200 + i);
    EXPECT_FALSE(frames[i].ufo.visible);
    EXPECT_EQ(frames[i].ufo.left, frames[i].ufoX);
  }
  EXPECT_EQ(frames[12].deathTick, 1);
  EXPECT_TRUE(frames[12].ufo.visible);
}

// The sight scene left the target shattered while the reaper was shattered too: at the
// next loop start the reaper takes back its own picture instead of the broken one.
TEST_F(DeathSceneTest, LoopStartNeverCopiesTheShatteredReaper) {
  Run(160);
  ASSERT_EQ(stage.element(Image37).picture, P::Image38);
  animation.ChooseScene(6);
  for (int i = 0; i < 65; ++i) animation.Tick();
  ASSERT_EQ(stage.element(Image40).picture, P::Image38);
  animation.ChooseScene(5);
  Run(51);  // to tick 211
  ASSERT_EQ(s.deathTick, 0);

  animation.Tick();
  const Element& reaper = stage.element(Image37);
  EXPECT_EQ(reaper.picture, P::Image37);
  EXPECT_EQ(reaper.width, 1050);
  EXPECT_EQ(reaper.height, 1605);
  EXPECT_TRUE(reaper.visible);
  // No line on this tick, so what is shown must be the stage composed anew.
  EXPECT_EQ(stage.picture().pixels, stage.ComposeFresh().pixels);

  const std::vector<Frame> frames = Run(154);  // ticks 2 to 155
  for (const Frame& f : frames) EXPECT_EQ(f.reaper.picture, P::Image37);
}

}  // namespace
}  // namespace animatsiya::testing
