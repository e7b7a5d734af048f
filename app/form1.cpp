#include "app/form1.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include "app/app_icon.h"
#include "app/frame_timer.h"
#include "app/menus.h"
#include "stage/stage_widget.h"

namespace animatsiya {
namespace {

// A screen shows at most its refresh rate, so at the fast speed the changes of several
// ticks go out together, about once a frame.
constexpr int kPresentEveryMs = 16;

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

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(FromUtf8(kWindowTitle));
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
  sincePresent_.start();
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
