#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <memory>
#include <vector>

#include <QTest>

#include "app/form1.h"
#include "app/frame_timer.h"
#include "pixels/geometry.h"
#include "tests/window/window_test_support.h"

namespace animatsiya::testing {
namespace {

struct MenuRow {
  const char* name;
  const char* caption;
  std::vector<std::pair<const char*, const char*>> items;  // name, caption
};

const std::vector<MenuRow> kMenus = {
    {"Меню",
     "Меню",
     {{"Нло", "Нло"},
      {"Шарик", "Шарик"},
      {"Эврика", "Эврика"},
      {"Врай", "В рай"},
      {"Смертьструпом", "Смерть с трупом"},
      {"Прицел", "Прицел"}}},
    {"Скорость", "Скорость", {{"Нормальная", "Нормальная"}, {"Быстрая", "Быстрая"}}},
};

class Form1Test : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (!IsSkipped()) form = std::make_unique<Form1>();
  }

  QAction* Item(const char* name) {
    auto* item = form->findChild<QAction*>(QString::fromUtf8(name));
    EXPECT_NE(item, nullptr) << name;
    return item;
  }

  // Runs the event loop until a pass in which no tick ran, so that everything the
  // window decided to present has reached the screen.
  void Settle() {
    for (long before = -1; before != form->ticks();) {
      before = form->ticks();
      QCoreApplication::processEvents();
    }
  }

  std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, OpensWithCaptionAndBothMenusInOrder) {
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Анимация"));
  const QList<QAction*> tops = form->menuBar()->actions();
  ASSERT_EQ(tops.size(), static_cast<qsizetype>(kMenus.size()));
  for (size_t m = 0; m < kMenus.size(); ++m) {
    QMenu* menu = tops[static_cast<qsizetype>(m)]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QString::fromUtf8(kMenus[m].name));
    EXPECT_EQ(menu->title(), QString::fromUtf8(kMenus[m].caption));
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(kMenus[m].items.size()));
    for (size_t i = 0; i < kMenus[m].items.size(); ++i) {
      const QAction* item = items[static_cast<qsizetype>(i)];
      EXPECT_EQ(item->objectName(), QString::fromUtf8(kMenus[m].items[i].first));
      // The exact caption: no '&' access key, added by hand or by Qt.
      EXPECT_EQ(item->text(), QString::fromUtf8(kMenus[m].items[i].second));
      EXPECT_FALSE(item->isCheckable());
      EXPECT_TRUE(item->shortcut().isEmpty());
      EXPECT_TRUE(item->isEnabled());
    }
  }
}

TEST_F(Form1Test, ClientAreaIsTheStageUnderTheMenuBarAndShowsItsPicture) {
  ShowAndWait(*form);
  QWidget* stage = form->centralWidget();
  EXPECT_EQ(stage->size(), QSize(kStageWidth, kStageHeight));
  EXPECT_EQ(stage->y(), form->menuBar()->geometry().bottom() + 1);
  EXPECT_EQ(form->minimumSize(), form->maximumSize());

  // The start layout, before the first tick.
  EXPECT_EQ(DifferingPixels(stage->grab().toImage(), form->animation().stage().picture()), 0);
  Settle();
  EXPECT_EQ(DifferingPixels(ScreenImage(*stage), form->animation().stage().picture()), 0);
}

TEST_F(Form1Test, SceneCommandClearsLinesSelectsTheSceneAndShowsAtOnce) {
  ShowAndWait(*form);
  Stage& stage = form->animation().stage();
  // Scene 2 neither draws nor clears lines, so a line drawn here reaches the screen
  // with its next tick.
  Item("Шарик")->trigger();
  for (int attempt = 0; attempt < 5; ++attempt) {
    stage.DrawLine(0, 8000, 11000, 8000);
    const long drawn = form->ticks();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ticks() > drawn; }, 5000));
    Settle();
    ASSERT_GT(DifferingPixels(ScreenImage(*form->centralWidget()), stage.ComposeFresh()), 0);

    const long before = form->ticks();
    Item("Прицел")->trigger();
    EXPECT_EQ(form->animation().state().currentScene, 6);
    EXPECT_TRUE(stage.ComposeFresh().pixels == stage.picture().pixels);
    QCoreApplication::processEvents();
    // A tick in this pass would present too and hide a missing present; try again.
    if (form->ticks() != before) {
      Item("Шарик")->trigger();
      continue;
    }
    EXPECT_EQ(DifferingPixels(ScreenImage(*form->centralWidget()), stage.picture()), 0);
    return;
  }
  FAIL() << "a tick ran in every attempt";
}

TEST_F(Form1Test, SpeedCommandsSwitchTimer1Interval) {
  EXPECT_EQ(form->timer1().interval(), 50);
  Item("Быстрая")->trigger();
  EXPECT_EQ(form->timer1().interval(), 1);
  EXPECT_EQ(form->animation().intervalMs(), 1);
  Item("Нормальная")->trigger();
  EXPECT_EQ(form->timer1().interval(), 50);
  EXPECT_EQ(form->animation().intervalMs(), 50);
}

TEST_F(Form1Test, Timer1StepsTheSceneAndEachStepReachesTheScreen) {
  ShowAndWait(*form);
  const long start = form->ticks();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->ticks() >= start + 3; }, 5000));
  Settle();
  EXPECT_EQ(DifferingPixels(ScreenImage(*form->centralWidget()), form->animation().stage().picture()),
            0);
}

}  // namespace
}  // namespace animatsiya::testing
