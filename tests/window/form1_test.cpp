#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>


#include "app/form1.h"
#include "app/frame_timer.h"
#include "app/menus.h"
#include "pixels/geometry.h"
#include "stage/stage_widget.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

struct MenuRow {
  std::string caption;
  std::vector<std::string> items;  // captions
};

// The menus as the one list of captions gives them.
std::vector<MenuRow> Menus() {
  MenuRow scenes{std::string(kSceneMenuCaption), {}};
  for (std::string_view caption : kSceneCaptions) scenes.items.emplace_back(caption);
  MenuRow speeds{std::string(kSpeedMenuCaption), {}};
  for (const SpeedItem& item : kSpeedItems) speeds.items.emplace_back(item.caption);
  return {scenes, speeds};
}

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The main window with Timer1 on a clock that only the test moves, so ticks run exactly
// when a test asks for them.
class Form1Test : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (!IsSkipped()) form = std::make_unique<Form1>(nullptr, [this] { return now; });
  }

  // Moves the clock on by one interval and wakes Timer1: one tick runs.
  void Tick() {
    now += std::chrono::milliseconds(form->timer1().interval());
    form->timer1().RunDueTicks();
  }

  QAction* Item(std::string_view caption) {
    auto* item = form->findChild<QAction*>(Utf8(ItemName(caption)));
    EXPECT_NE(item, nullptr) << caption;
    return item;
  }
  QAction* SceneItem(int scene) { return Item(kSceneCaptions[static_cast<size_t>(scene - 1)]); }
  QAction* SpeedItem(Speed speed) {
    for (const auto& item : kSpeedItems) {
      if (item.speed == speed) return Item(item.caption);
    }
    return nullptr;
  }

  // Lets everything the window decided to present reach the screen; no tick runs meanwhile.
  void Settle() { QCoreApplication::processEvents(); }

  const StageWidget& StageView() const { return *qobject_cast<const StageWidget*>(form->centralWidget()); }

  FrameTimer::Time now{std::chrono::seconds(5)};
  std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, OpensWithCaptionAndBothMenusInOrder) {
  EXPECT_EQ(form->windowTitle(), Utf8(kWindowTitle));
  const std::vector<MenuRow> menus = Menus();
  const QList<QAction*> tops = form->menuBar()->actions();
  ASSERT_EQ(tops.size(), static_cast<qsizetype>(menus.size()));
  for (size_t m = 0; m < menus.size(); ++m) {
    QMenu* menu = tops[static_cast<qsizetype>(m)]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), Utf8(ItemName(menus[m].caption)));
    EXPECT_EQ(menu->title(), Utf8(menus[m].caption));
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(menus[m].items.size()));
    for (size_t i = 0; i < menus[m].items.size(); ++i) {
      const QAction* item = items[static_cast<qsizetype>(i)];
      EXPECT_EQ(item->objectName(), Utf8(ItemName(menus[m].items[i])));
      // The exact caption: no '&' access key, added by hand or by Qt.
      EXPECT_EQ(item->text(), Utf8(menus[m].items[i]));
      EXPECT_FALSE(item->isCheckable());
      EXPECT_TRUE(item->shortcut().isEmpty());
      EXPECT_TRUE(item->isEnabled());
    }
  }
}

TEST_F(Form1Test, ClientAreaIsTheStageUnderTheMenuBarAndShowsItsPicture) {
  ShowAndWait(*form);
  auto* stage = qobject_cast<StageWidget*>(form->centralWidget());
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->y(), form->menuBar()->geometry().bottom() + 1);
  // The window opens just large enough for the stage at its start factor, give or take
  // the rounding of a fractional scale.
  const StagePlacement place = stage->PlacementInWindow();
  EXPECT_LE(place.area.width() - place.rect.width(), 2);
  EXPECT_LE(place.area.height() - place.rect.height(), 2);

  // The start layout, before the first tick.
  if (place.factor == 1 && form->devicePixelRatioF() == 1) {
    EXPECT_EQ(DifferingPixels(stage->grab().toImage(), form->animation().stage().picture()), 0);
  }
  Settle();
  EXPECT_EQ(CheckStageOnScreen(*stage, form->animation().stage().picture()), "");
}

TEST_F(Form1Test, ResizedWindowKeepsTheStageWholeAndNeverShrinksBelowIt) {
  ShowAndWait(*form);
  auto* stage = qobject_cast<StageWidget*>(form->centralWidget());
  const qreal ratio = form->devicePixelRatioF();
  const int menu = form->menuBar()->height();
  const QSize twice(static_cast<int>(std::ceil(2 * kStageWidth / ratio)) + 1,
                    static_cast<int>(std::ceil(2 * kStageHeight / ratio)) + 1 + menu);
  for (const QSize size : {twice, twice + QSize(200, 50), QSize(200, 100)}) {
    form->resize(size);
    Settle();
    const std::string label = std::to_string(size.width()) + "x" + std::to_string(size.height());
    EXPECT_EQ(AwaitStageOnScreen(*stage, form->animation().stage().picture()), "") << label;
    const StagePlacement place = stage->PlacementInWindow();
    EXPECT_EQ(place.factor, size == QSize(200, 100) ? 1 : 2) << label;
    EXPECT_GE(place.area.width(), kStageWidth) << label;
    EXPECT_GE(place.area.height(), kStageHeight) << label;
  }
}

TEST_F(Form1Test, SceneCommandClearsLinesSelectsTheSceneAndShowsAtOnce) {
  ShowAndWait(*form);
  Stage& stage = form->animation().stage();
  // Scene 2 neither draws nor clears lines, so a line drawn here reaches the screen
  // with its next tick.
  SceneItem(2)->trigger();
  stage.DrawLine(0, 8000, 11000, 8000);
  Tick();
  Settle();
  ASSERT_GT(StageDiffers(StageView(), stage.ComposeFresh()), 0);

  SceneItem(6)->trigger();
  EXPECT_EQ(form->animation().state().currentScene, 6);
  EXPECT_TRUE(stage.ComposeFresh().pixels == stage.picture().pixels);
  // The command presents by itself: no tick runs before the screen is looked at.
  const long ticks = form->ticks();
  Settle();
  EXPECT_EQ(form->ticks(), ticks);
  EXPECT_EQ(StageDiffers(StageView(), stage.picture()), 0);
}

TEST_F(Form1Test, SpeedCommandsSwitchTimer1Interval) {
  EXPECT_EQ(form->timer1().interval(), 50);
  SpeedItem(Speed::Fast)->trigger();
  EXPECT_EQ(form->timer1().interval(), 1);
  EXPECT_EQ(form->animation().intervalMs(), 1);
  SpeedItem(Speed::Normal)->trigger();
  EXPECT_EQ(form->timer1().interval(), 50);
  EXPECT_EQ(form->animation().intervalMs(), 50);
}

TEST_F(Form1Test, Timer1StepsTheSceneAndEachStepReachesTheScreen) {
  ShowAndWait(*form);
  for (int tick = 1; tick <= 3; ++tick) {
    Tick();
    Settle();
    EXPECT_EQ(form->ticks(), tick);
    EXPECT_EQ(StageDiffers(StageView(), form->animation().stage().picture()), 0) << tick;
  }
}

}  // namespace
}  // namespace animatsiya::testing
