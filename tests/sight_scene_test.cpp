#include <optional>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace animatsiya::testing {
namespace {

using P = PictureId;

constexpr const char* kTitle = "Прикол над нло";
constexpr const char* kNewtonCaption = "Как Ньютон открыл закон физики";

// Keeps every draw and reseed, in order: a reseed shows as n = 0.
class DrawRecorder : public RandomObserver {
 public:
  struct Draw {
    int n, value;
    bool operator==(const Draw&) const = default;
  };
  void OnRandomInt(int n, int value) override { draws.push_back({n, value}); }
  void OnReseed() override { draws.push_back({0, 0}); }
  std::vector<Draw> draws;
};

class SightSceneTest : public AnimationTest {
 protected:
  SightSceneTest() { stage.SetObserver(&recorder); }

  LineRecorder recorder;
};

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
    EXPECT_EQ(recorder.lines, expected);
    if (tick >= 10 && tick < 50) {
      EXPECT_TRUE(stage.element(Image1).visible);
    }
    EXPECT_TRUE(stage.element(Image40).visible);
    EXPECT_EQ(stage.element(Image40).picture, tick > 60 && tick < 72 ? P::Image38 : P::Image37);
  }
}

// Every new target reseeds and draws its place; no other tick draws.
TEST_F(SightSceneTest, NewTargetReseedsAndDrawsItsPlace) {
  DrawRecorder draws;
  animation.random().SetObserver(&draws);
  animation.ChooseScene(6);
  for (int tick = 1; tick <= 143; ++tick) {
    SCOPED_TRACE(tick);
    draws.draws.clear();
    animation.Tick();
    if (s.sightTick != 1) {
      EXPECT_TRUE(draws.draws.empty());
      continue;
    }
    const std::vector<DrawRecorder::Draw> expected = {
        {0, 0}, {10000, s.targetX}, {5500, s.targetY}};
    EXPECT_EQ(draws.draws, expected);
    const Element& target = stage.element(Image40);
    EXPECT_EQ(target.left, s.targetX);
    EXPECT_EQ(target.top, s.targetY);
    EXPECT_TRUE(target.visible);
    // An intact reaper is handed on as it stands.
    EXPECT_EQ(target.picture, P::Image37);
  }
  animation.random().SetObserver(nullptr);
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

TEST_F(SightSceneTest, TitleTypedByTitleTick) {
  struct Row {
    int titleTick;
    const char* caption;
    bool visible;
  };
  const Row rows[] = {
      {1, " ", true},
      {2, "П", true},
      {4, "П", true},
      {5, "Пр", true},
      {8, "При", true},
      {11, "Прик", true},
      {14, "Прико", true},
      {17, "Прикол", true},
      {19, "Прикол", true},
      {20, "Прикол ", true},
      {21, "Прикол ", true},
      {22, kNewtonCaption, true},  // set by hand after tick 21: kept until the next caption
      {23, "Прикол н", true},
      {24, "Прикол н", true},
      {25, "Прикол на", true},
      {27, "Прикол на", true},
      {28, "Прикол над", true},
      {31, "Прикол над ", true},
      {34, "Прикол над н", true},
      {37, "Прикол над нл", true},
      {40, kTitle, true},
      {41, kTitle, true},
      {101, kTitle, true},  // set by hand after tick 100: the full title is set every tick
      {170, kTitle, true},
      {171, kTitle, false},
      {200, kTitle, false},
  };
  // Scene 1 hides the caption first, so the sight scene has to show it.
  animation.Tick();
  ASSERT_FALSE(stage.element(Label1).visible);
  animation.ChooseScene(6);

  std::vector<std::string> captions{""};
  std::vector<bool> visible{false};
  for (int tick = 1; tick <= 200; ++tick) {
    animation.Tick();
    captions.push_back(stage.caption());
    visible.push_back(stage.element(Label1).visible);
    if (tick == 21 || tick == 100) stage.SetCaption(kNewtonCaption);
  }
  EXPECT_EQ(s.titleTick, 200);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.titleTick);
    EXPECT_EQ(captions[row.titleTick], row.caption);
    EXPECT_EQ(visible[row.titleTick], row.visible);
  }
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
    EXPECT_EQ(stage.caption(), kTitle);
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
      ASSERT_EQ(recorder.lines.size(), 160u);
      EXPECT_EQ(recorder.lines.back(),
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
