#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPalette>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "tests/e2e/program_window.h"
#include "tests/e2e/scene_looks.h"
#include "tests/e2e/stage_shot.h"

namespace animatsiya::e2e {
namespace {

// A few ticks of the chosen scene before the first look.
constexpr int kSettleMs = 400;
// A check fails only after this many screenshots, spread over about two seconds: a scene
// may pass through a tick or two that shows little (the heaven scene's loop ends empty).
constexpr int kLooks = 10;
constexpr int kLookGapMs = 200;
constexpr long kStagePixels = static_cast<long>(kStageWidth) * kStageHeight;

using Check = std::function<std::string(const StageShot&)>;

Check SceneCheck(int scene) {
  return [scene](const StageShot& shot) { return CheckScene(scene, shot); };
}

// Screenshots go to ANIMATSIYA_E2E_SHOTS when it is set, and those of failed checks to the
// working directory in any case.
QString SaveShot(const std::string& label, const StageShot& shot, bool failed) {
  const char* folder = std::getenv("ANIMATSIYA_E2E_SHOTS");
  if (!failed && (folder == nullptr || *folder == '\0')) return {};
  const QDir dir(failed || folder == nullptr ? QDir::currentPath() : QString::fromLocal8Bit(folder));
  const QString file = dir.filePath(QString::fromStdString("e2e-" + label + (failed ? "-failed" : "") + ".png"));
  shot.image().save(file);
  return file;
}

class UserSession : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qApp != nullptr) layout_ = new WindowLayout(ReadWindowLayout());
  }
  static void TearDownTestSuite() {
    delete layout_;
    layout_ = nullptr;
  }

  void SetUp() override {
    if (qApp == nullptr) GTEST_SKIP() << "no display";
    if (!ProgramWindow::HasXdotool()) GTEST_SKIP() << "no xdotool";
    program_ = std::make_unique<ProgramWindow>(*layout_);
    ASSERT_EQ(program_->Start(), "");
    // Same size as the window built here: same menu bar, so the menu geometry holds.
    ASSERT_EQ(program_->windowSize(), layout_->windowSize);
  }

  void TearDown() override { program_.reset(); }

  void Choose(const char* item) {
    ASSERT_EQ(program_->Choose(QString::fromUtf8(item)), "") << item;
    Pause(kSettleMs);
  }

  // Takes screenshots until one passes the check.
  ::testing::AssertionResult Looks(const std::string& label, const Check& check,
                                   std::optional<StageShot>* seen = nullptr) {
    std::string problem;
    std::optional<StageShot> last;
    for (int look = 0; look < kLooks; ++look) {
      if (look > 0) Pause(kLookGapMs);
      last.emplace(program_->GrabStage());
      problem = check(*last);
      if (problem.empty()) {
        SaveShot(label, *last, false);
        if (seen != nullptr) *seen = last;
        return ::testing::AssertionSuccess();
      }
    }
    return ::testing::AssertionFailure() << label << ": " << problem << " (screenshot "
                                         << SaveShot(label, *last, true).toStdString() << ")";
  }

  ::testing::AssertionResult ShowsScene(int scene, const std::string& label) {
    return Looks(label, SceneCheck(scene));
  }

  // Pixels per millisecond that the yellow ball travels, both axes added, between
  // screenshots taken over about half a second.
  double BallPace() {
    double travelled = 0;
    double elapsed = 0;
    QElapsedTimer clock;
    clock.start();
    std::optional<Rect> before;
    qint64 beforeMs = 0;
    for (int shot = 0; shot < 12; ++shot) {
      const Rect ball = StageShot(program_->GrabStage()).BoxOf(Colour::Yellow);
      const qint64 nowMs = clock.elapsed();
      if (before && !ball.empty()) {
        travelled += std::abs(ball.x - before->x) + std::abs(ball.y - before->y);
        elapsed += static_cast<double>(nowMs - beforeMs);
      }
      if (!ball.empty()) {
        before = ball;
        beforeMs = nowMs;
      }
      Pause(40);
    }
    return elapsed > 0 ? travelled / elapsed : 0;
  }

  static WindowLayout* layout_;
  std::unique_ptr<ProgramWindow> program_;
};

WindowLayout* UserSession::layout_ = nullptr;

TEST_F(UserSession, EachSceneFromTheMenuShowsItselfAndNothingOfTheSceneBefore) {
  EXPECT_TRUE(ShowsScene(1, "scene1-at-start"));
  for (int scene = 1; scene <= 6; ++scene) {
    Choose(SceneItem(scene));
    EXPECT_TRUE(ShowsScene(scene, "scene" + std::to_string(scene)));
  }
  // The ball scene neither draws nor clears lines: the menu command alone must wipe the
  // crosshair.
  Choose(SceneItem(2));
  EXPECT_TRUE(ShowsScene(2, "scene2-after-scene6"));
  Choose(SceneItem(1));
  EXPECT_TRUE(ShowsScene(1, "scene1-after-scene2"));
}

TEST_F(UserSession, SpeedItemsSetHowFastTheBallsMove) {
  Choose(SceneItem(2));
  ASSERT_TRUE(ShowsScene(2, "speed-normal"));
  const double normal = BallPace();
  Choose("Быстрая");
  EXPECT_TRUE(ShowsScene(2, "speed-fast"));
  const double fast = BallPace();
  Choose("Нормальная");
  EXPECT_TRUE(ShowsScene(2, "speed-normal-again"));
  const double normalAgain = BallPace();
  // 130 twips a tick on each axis: about 0.35 pixels a millisecond at 50 ms a tick, and
  // tens of times that at 1 ms, however the bounces fold it.
  EXPECT_LT(normal, 0.6);
  EXPECT_GT(fast, 1.5);
  EXPECT_LT(normalAgain, 0.6);
  std::cout << "ball pace in pixels per ms: normal " << normal << ", fast " << fast
            << ", normal again " << normalAgain << "\n";
}

enum class Disturbance { Cover, Minimise };

class DisturbedWindow : public UserSession, public ::testing::WithParamInterface<Disturbance> {
 protected:
  void CoverAndUncover() {
    // A window of a colour the artwork never uses, over the whole client area.
    QWidget cover(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                               Qt::WindowStaysOnTopHint);
    cover.setWindowTitle(QStringLiteral("cover"));
    QPalette palette = cover.palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 255));
    cover.setPalette(palette);
    cover.setAutoFillBackground(true);
    cover.setGeometry(program_->StageOnScreen());
    cover.show();
    const bool covered = WaitFor(3000, [&] {
      return StageShot(program_->GrabStage()).Count(Colour::Other) == kStagePixels;
    });
    ASSERT_TRUE(covered) << "the cover did not hide the client area";
    cover.hide();
  }

  void MinimiseAndRestore() {
    ASSERT_EQ(program_->Minimise(), "");
    Pause(300);
    ASSERT_EQ(program_->Restore(), "");
  }
};

TEST_P(DisturbedWindow, ShowsTheSameStageAfterwards) {
  const char* name = GetParam() == Disturbance::Cover ? "cover" : "minimise";
  // The eureka scene repaints only what moves, so only the repaint on exposure can bring
  // back the tree and the caption; the sight scene's crosshair lines must come back too.
  for (int scene : {3, 6}) {
    const std::string label = std::string(name) + "-scene" + std::to_string(scene);
    Choose(SceneItem(scene));
    std::optional<StageShot> before;
    ASSERT_TRUE(Looks(label + "-before", SceneCheck(scene), &before));
    if (GetParam() == Disturbance::Cover) {
      CoverAndUncover();
    } else {
      MinimiseAndRestore();
    }
    if (HasFatalFailure()) return;
    Pause(kSettleMs);
    std::optional<StageShot> after;
    EXPECT_TRUE(Looks(label + "-after", SceneCheck(scene), &after));
    // The animation ran on meanwhile; what it moved is a small part of the stage.
    if (after) {
      EXPECT_LT(before->Differing(*after), kStagePixels * 15 / 100) << label;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(E2e, DisturbedWindow,
                         ::testing::Values(Disturbance::Cover, Disturbance::Minimise),
                         [](const ::testing::TestParamInfo<Disturbance>& info) {
                           return info.param == Disturbance::Cover ? "CoveredAndUncovered"
                                                                   : "MinimisedAndRestored";
                         });

}  // namespace
}  // namespace animatsiya::e2e
