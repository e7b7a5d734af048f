#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

#include "scenes/captions.h"
#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

using P = PictureId;

class SightSceneTest : public AnimationTest {};

// The crosshair lines of one tick: 50 horizontal and 50 vertical, interleaved.
std::vector<Line> CrosshairLines(int sightX, int sightY) {
  std::vector<Line> lines;
  for (int i = 1; i <= 50; ++i) {
    lines.push_back({i, sightY + i, 11500 + i, sightY + i});
    lines.push_back({sightX + i, i, sightX + i, 8600 + i});
  }
  return lines;
}

TEST_F(SightSceneTest, CrosshairAndBeamOverOneLoop) {
  animation.ChooseScene(6);
  for (int tick = 1; tick <= 72; ++tick) {
    SCOPED_TRACE(tick);
    const int sightX = s.sightX;
    const int sightY = s.sightY;
    animation.Tick();
    ASSERT_EQ(s.sightTick, tick == 71 ? 0 : tick == 72 ? 1 : tick);
    std::vector<Line> expected;
    // Drawn where the crosshair stood before this tick's move.
    if (tick < 70 || tick == 72) expected = CrosshairLines(sightX, sightY);
    if (tick > 50 && tick < 60) {
      for (int i = 1; i <= 60; ++i) {
        expected.push_back({s.ufoX + 200 + i, s.ufoY + 200 + i, s.targetX + 200 + i,
                            s.targetY + 200 + i});
      }
    }
    EXPECT_EQ(log.lines, expected);
    if (tick >= 10 && tick < 50) {
      EXPECT_TRUE(stage.element(Image1).visible);
    }
    EXPECT_TRUE(stage.element(Image40).visible);
    EXPECT_EQ(stage.element(Image40).picture, tick > 60 && tick < 72 ? P::Image38 : P::Image37);
  }
}

// Every new target reseeds and draws its place; no other tick draws.
TEST_F(SightSceneTest, NewTargetReseedsAndDrawsItsPlace) {
  animation.ChooseScene(6);
  for (int tick = 1; tick <= 143; ++tick) {
    SCOPED_TRACE(tick);
    log.Reset();
    animation.Tick();
    if (s.sightTick != 1) {
      EXPECT_TRUE(log.draws.empty());
      EXPECT_TRUE(log.reseeds.empty());
      continue;
    }
    EXPECT_EQ(log.reseeds, std::vector<std::size_t>{0});
    EXPECT_EQ(log.draws, (std::vector<Draw>{{10000, s.targetX}, {5500, s.targetY}}));
    const Element& target = stage.element(Image40);
    EXPECT_EQ(target.left, s.targetX);
    EXPECT_EQ(target.top, s.targetY);
    EXPECT_TRUE(target.visible);
    // An intact reaper is handed on as it stands.
    EXPECT_EQ(target.picture, P::Image37);
  }
}

// Where the crosshair goes from an offset to the aim point, on both axes.
TEST_F(SightSceneTest, CrosshairComesToRestPastTheAimPoint) {
  struct Row {
    int start;
    std::vector<int> path;  // offsets after each tick
  };
  const Row rows[] = {
      {800, {600, 400, 200, 0, 0}},
      {850, {650, 450, 250, 50, 50}},
      {-550, {-350, -150, 50, 50}},
      {100, {100, 100}},
      {0, {0, 0}},
      {199, {199, 199}},
      {200, {0, 0}},
      {-1, {199, 199}},
  };
  animation.ChooseScene(6);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.start);
    s.sightTick = 5;  // well inside a loop: no new target
    s.targetX = 1000;
    s.targetY = 2000;
    const int aimX = 1500;
    const int aimY = 2500;
    s.sightX = aimX + row.start;
    s.sightY = aimY + row.start;
    for (int offset : row.path) {
      animation.Tick();
      EXPECT_EQ(s.sightX - aimX, offset);
      EXPECT_EQ(s.sightY - aimY, offset);
    }
  }
}

// How many letters a UTF-8 text holds.
std::size_t Letters(std::string_view text) {
  return std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
}

// The title is typed letter by letter, spaces included, up to the whole title.
TEST(SightTitleTest, EachCaptionTypesOneLetterMore) {
  std::size_t letters = 0;
  int titleTick = 1;
  for (const TitleCaption& row : kTitleCaptions) {
    SCOPED_TRACE(row.caption);
    EXPECT_GT(row.titleTick, titleTick);
    EXPECT_TRUE(kSightTitle.starts_with(row.caption));
    EXPECT_EQ(Letters(row.caption), ++letters);
    titleTick = row.titleTick;
  }
  EXPECT_EQ(std::end(kTitleCaptions)[-1].caption, kSightTitle);
}

// From the first tick a blank caption, then each caption of the title on its titleTick,
// kept until the next one even when something else was set in between; past the last,
// the whole title on every tick, shown up to titleTick 170.
TEST_F(SightSceneTest, TitleTypedByTitleTick) {
  // Scene 1 hides the caption first, so the sight scene has to show it.
  animation.Tick();
  ASSERT_FALSE(stage.element(Label1).visible);
  animation.ChooseScene(6);

  const int typedBy = std::end(kTitleCaptions)[-1].titleTick;
  const TitleCaption* next = std::begin(kTitleCaptions);
  std::string_view expected;
  for (int tick = 1; tick <= 200; ++tick) {
    SCOPED_TRACE(tick);
    animation.Tick();
    if (tick == 1) expected = " ";
    if (next != std::end(kTitleCaptions) && next->titleTick == tick) expected = (next++)->caption;
    if (tick > typedBy) expected = kSightTitle;
    EXPECT_EQ(stage.caption(), expected);
    EXPECT_EQ(stage.element(Label1).visible, tick <= 170);
    if (tick == 21 || tick == 100) {
      stage.SetCaption(kNewtonCaption);
      expected = kNewtonCaption;
    }
  }
  EXPECT_EQ(next, std::end(kTitleCaptions));
  EXPECT_EQ(s.titleTick, 200);
}

// titleTick stops at its limit, and the title stays hidden there for good.
TEST_F(SightSceneTest, TitleTickHeldAtItsLimit) {
  s.titleTick = 32766;
  animation.ChooseScene(6);
  const std::uint64_t overflows = Int16::OverflowCount();
  for (int i = 0; i < 3; ++i) {
    stage.SetVisible(Label1, true);
    stage.SetCaption(kNewtonCaption);
    animation.Tick();
    EXPECT_EQ(s.titleTick, 32767);
    EXPECT_EQ(stage.caption(), kSightTitle);
    EXPECT_FALSE(stage.element(Label1).visible);
  }
  EXPECT_EQ(Int16::OverflowCount(), overflows);
}

// The death scene left the reaper shattered: the new target takes back its own intact
// picture, and so the death scene's next loop gets the intact reaper back too.
TEST_F(SightSceneTest, NewTargetNeverCopiesTheShatteredReaper) {
  animation.ChooseScene(5);
  for (int i = 0; i < 160; ++i) animation.Tick();
  ASSERT_EQ(stage.element(Image37).picture, P::Image38);

  animation.ChooseScene(6);
  for (int tick = 1; tick <= 72; ++tick) {
    animation.Tick();
    if (tick == 1 || tick == 72) {
      SCOPED_TRACE(tick);
      const Element& target = stage.element(Image40);
      EXPECT_EQ(target.picture, P::Image40);
      EXPECT_EQ(target.width, 1050);
      EXPECT_EQ(target.height, 1605);
    }
  }

  animation.ChooseScene(5);
  for (int i = 0; i < 52; ++i) animation.Tick();  // ticks 161 to 211, then the loop starts
  ASSERT_EQ(s.deathTick, 1);
  EXPECT_EQ(stage.element(Image37).picture, P::Image40);
}

// Back with a stored sightTick of 49 to 70 after a scene that hid the target: the target
// stays hidden until the next loop, but is still shot at and still handed the broken
// picture.
class SightReturnTest : public SightSceneTest, public ::testing::WithParamInterface<int> {};

TEST_P(SightReturnTest, TargetHiddenUntilNextLoop) {
  const int stored = GetParam();
  animation.ChooseScene(6);
  for (int i = 0; i < stored; ++i) animation.Tick();
  ASSERT_EQ(s.sightTick, stored);
  animation.ChooseScene(1);
  animation.Tick();
  ASSERT_FALSE(stage.element(Image40).visible);

  animation.ChooseScene(6);
  for (int tick = stored + 1; tick <= 71; ++tick) {
    SCOPED_TRACE(tick);
    animation.Tick();
    const Element& target = stage.element(Image40);
    EXPECT_FALSE(target.visible);
    if (tick > 60 && tick < 70) {
      EXPECT_EQ(target.picture, P::Image38);
    }
    if (tick > 50 && tick < 60) {
      ASSERT_EQ(log.lines.size(), 160u);
      EXPECT_EQ(log.lines.back(),
                (Line{s.ufoX + 260, s.ufoY + 260, s.targetX + 260, s.targetY + 260}));
    }
  }
  animation.Tick();
  EXPECT_EQ(s.sightTick, 1);
  EXPECT_TRUE(stage.element(Image40).visible);
}

INSTANTIATE_TEST_SUITE_P(StoredTick, SightReturnTest, ::testing::Range(49, 71));

}  // namespace
}  // namespace animatsiya::testing
