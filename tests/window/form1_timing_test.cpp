#include <QAction>
#include <QCoreApplication>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/menus.h"
#include "stage/stage_widget.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

using std::chrono::milliseconds;

// The main window with Timer1 on a clock that the test moves by hand: ticks run only when
// the test says so, and their order against menu commands is exact.
class Form1TimingTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (!IsSkipped()) form = std::make_unique<Form1>(nullptr, [this] { return now; });
  }

  // Moves the clock on and wakes Timer1, as its own wake does.
  void RunFor(milliseconds wait) {
    now += wait;
    form->timer1().RunDueTicks();
  }

  void Choose(std::string_view caption) {
    const std::string name = ItemName(caption);
    QAction* action = form->findChild<QAction*>(QString::fromStdString(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  void ChooseScene(int k) { Choose(kSceneCaptions[static_cast<size_t>(k - 1)]); }
  void ChooseFast() { Choose(kSpeedItems[1].caption); }

  FrameTimer::Time now{milliseconds(5'000)};
  std::unique_ptr<Form1> form;
};

TEST_F(Form1TimingTest, AMenuCommandComesAfterTheTicksThatFellDueBeforeIt) {
  ChooseScene(6);
  RunFor(milliseconds(50));
  const int sightTick = form->animation().state().sightTick;
  // A tick falls due, but Timer1 has not woken yet when the speed command comes.
  now += milliseconds(50);
  ChooseFast();
  EXPECT_EQ(form->ticks(), 2);
  // Ten fast ticks fall due before the scene command: all of them run in scene 6.
  now += milliseconds(10);
  ChooseScene(2);
  EXPECT_EQ(form->ticks(), 12);
  EXPECT_EQ(form->animation().state().sightTick, sightTick + 11);
  EXPECT_EQ(form->animation().state().currentScene, 2);
  // Nothing is left to run at the next wake.
  RunFor(milliseconds(0));
  EXPECT_EQ(form->ticks(), 12);
}

TEST_F(Form1TimingTest, EveryWakeReachesTheScreenAtBothSpeeds) {
  ShowAndWait(*form);
  ChooseScene(6);  // lines and a moving crosshair on every tick
  const auto screenMatches = [&] {
    QCoreApplication::processEvents();
    const auto& stage = *qobject_cast<const StageWidget*>(form->centralWidget());
    return StageDiffers(stage, form->animation().stage().picture());
  };
  for (int wake = 0; wake < 3; ++wake) {
    RunFor(milliseconds(50));
    EXPECT_EQ(screenMatches(), 0) << "normal speed, wake " << wake;
  }
  EXPECT_EQ(form->ticks(), 3);
  ChooseFast();
  for (int wake = 0; wake < 3; ++wake) {
    RunFor(milliseconds(16));
    EXPECT_EQ(screenMatches(), 0) << "fast speed, wake " << wake;
  }
  EXPECT_EQ(form->ticks(), 3 + 3 * 16);
}

}  // namespace
}  // namespace animatsiya::testing
