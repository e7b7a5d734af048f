#include "app/form1.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include "app/app_icon.h"
#include "app/frame_timer.h"
#include "stage/stage_widget.h"

namespace animatsiya {
namespace {

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
  // The window takes the size of the stage under the menu bar and keeps it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  timer1_ = new FrameTimer(animation_.intervalMs(), this);
  connect(timer1_, &FrameTimer::timeout, this, &Form1::OnTimer1);
  // The stage gathers the damage of every tick of a wake; it is shown once after them.
  connect(timer1_, &FrameTimer::caughtUp, this, &Form1::Present);
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
}

// A command comes after every tick that fell due before it, though the timer has not yet
// woken to run them.
void Form1::OnSceneCommand(int k) {
  timer1_->RunDueTicks();
  animation_.ChooseScene(k);
  Present();
}

void Form1::OnSpeedCommand(Speed speed) {
  timer1_->RunDueTicks();
  animation_.ChooseSpeed(speed);
  timer1_->setInterval(animation_.intervalMs());
}

void Form1::Present() {
  stage_->AddDamage(animation_.stage().TakeDamage());
  stage_->Present();
}

}  // namespace animatsiya
