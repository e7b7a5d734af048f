#include "app/form1.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <utility>

#include "app/app_icon.h"
#include "app/menus.h"
#include "stage/stage_widget.h"

namespace animatsiya {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMenu* AddMenu(QMenuBar* bar, std::string_view caption) {
  QMenu* menu = bar->addMenu(FromUtf8(caption));
  menu->setObjectName(FromUtf8(caption));
  return menu;
}

QAction* AddItem(QMenu* menu, std::string_view caption) {
  QAction* item = menu->addAction(FromUtf8(caption));
  item->setObjectName(FromUtf8(ItemName(caption)));
  return item;
}

}  // namespace

Form1::Form1(QWidget* parent, FrameTimer::Clock clock) : QMainWindow(parent) {
  setWindowTitle(FromUtf8(kWindowTitle));
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

  timer1_ = new FrameTimer(animation_.intervalMs(), this, std::move(clock));
  connect(timer1_, &FrameTimer::timeout, this, &Form1::OnTimer1);
  // The stage gathers the damage of every tick of a wake; it is shown once after them.
  connect(timer1_, &FrameTimer::caughtUp, this, &Form1::Present);
}

void Form1::AddMenus() {
  QMenu* scenes = AddMenu(menuBar(), kSceneMenuCaption);
  for (int k = 1; k <= static_cast<int>(kSceneCaptions.size()); ++k) {
    connect(AddItem(scenes, kSceneCaptions[k - 1]), &QAction::triggered, this,
            [this, k] { OnSceneCommand(k); });
  }
  QMenu* speeds = AddMenu(menuBar(), kSpeedMenuCaption);
  for (const SpeedItem& item : kSpeedItems) {
    connect(AddItem(speeds, item.caption), &QAction::triggered, this,
            [this, speed = item.speed] { OnSpeedCommand(speed); });
  }
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
