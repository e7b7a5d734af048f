#include "app/form1.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/app_icon.h"
#include "app/frame_timer.h"
#include "stage/stage_widget.h"

namespace animatsiya {
namespace {

// A screen shows at most its refresh rate, so at the fast speed the changes of several
// ticks go out together, about once a frame.
constexpr int kPresentEveryMs = 16;

// The captions of "Меню" in the order of their scene numbers. Each item is named by its
// caption's words run together.
constexpr const char* kSceneCaptions[] = {"Нло", "Шарик", "Эврика", "В рай", "Смерть с трупом",
                                          "Прицел"};

QMenu* AddMenu(QMenuBar* bar, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromUtf8(caption));
  return menu;
}

QAction* AddItem(QMenu* menu, const char* caption) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(QString::fromUtf8(caption).remove(QLatin1Char(' ')));
  return item;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), animation_(&captions_) {
  setWindowTitle(QStringLiteral("Анимация"));
  setWindowIcon(MakeAppIcon());
  animation_.Start();
  stage_ = new StageWidget(animation_.stage().picture(), this);
  setCentralWidget(stage_);
  // The whole stage is painted when the window is first shown.
  animation_.stage().TakeDamage();
  AddMenus();
  // The window opens at the stage's size under the menu bar, enlarged by the screen's
  // scale; it may then be resized, maximised or made full screen.
  resize(sizeHint());

  timer1_ = new FrameTimer(animation_.intervalMs(), this);
  connect(timer1_, &FrameTimer::timeout, this, &Form1::OnTimer1);
  sincePresent_.start();
}

void Form1::AddMenus() {
  QMenu* scenes = AddMenu(menuBar(), "Меню");
  for (int k = 1; k <= 6; ++k) {
    connect(AddItem(scenes, kSceneCaptions[k - 1]), &QAction::triggered, this,
            [this, k] { OnSceneCommand(k); });
  }
  QMenu* speed = AddMenu(menuBar(), "Скорость");
  connect(AddItem(speed, "Нормальная"), &QAction::triggered, this,
          [this] { OnSpeedCommand(Speed::Normal); });
  connect(AddItem(speed, "Быстрая"), &QAction::triggered, this,
          [this] { OnSpeedCommand(Speed::Fast); });
}

void Form1::OnTimer1() {
  animation_.Tick();
  ++ticks_;
  // The stage gathers the damage of every tick; it is taken once per present.
  if (animation_.intervalMs() > kPresentEveryMs || sincePresent_.hasExpired(kPresentEveryMs)) {
    Present();
  }
}

void Form1::OnSceneCommand(int k) {
  animation_.ChooseScene(k);
  Present();
}

void Form1::OnSpeedCommand(Speed speed) {
  animation_.ChooseSpeed(speed);
  timer1_->setInterval(animation_.intervalMs());
}

void Form1::Present() {
  stage_->AddDamage(animation_.stage().TakeDamage());
  stage_->Present();
  sincePresent_.restart();
}

}  // namespace animatsiya
