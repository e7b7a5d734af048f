#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/menus.h"
#include "tests/e2e/core_frames.h"
#include "tests/e2e/program_window.h"
#include "tests/e2e/scene_looks.h"
#include "tests/e2e/stage_shot.h"
#include "tests/e2e/x11_properties.h"

namespace animatsiya::e2e {
namespace {

// A few ticks of the chosen scene before the first look.
constexpr int kSettleMs = 400;
// A check fails only after this many screenshots, spread over about two seconds: a scene
// may pass through a tick or two that shows little (the heaven scene's loop ends empty),
// and a screenshot may catch the window between two presents.
constexpr int kLooks = 10;
constexpr int kLookGapMs = 200;
constexpr long kStagePixels = static_cast<long>(kStageWidth) * kStageHeight;
constexpr int kEureka = 3;

using Check = std::function<std::string(const StageShot&)>;

Check SceneCheck(int scene) {
  return [scene](const StageShot& shot) { return CheckScene(scene, shot); };
}

QString Item(std::string_view caption) {
  const std::string name = ItemName(caption);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Screenshots go to ANIMATSIYA_E2E_SHOTS when it is set, and those of failed checks to the
// working directory in any case.
QString SaveShot(const std::string& label, const QImage& image, bool failed) {
  const char* folder = std::getenv("ANIMATSIYA_E2E_SHOTS");
  if (!failed && (folder == nullptr || *folder == '\0')) return {};
  const QDir dir(failed || folder == nullptr ? QDir::currentPath() : QString::fromLocal8Bit(folder));
  const QString file = dir.filePath(QString::fromStdString("e2e-" + label + (failed ? "-failed" : "") + ".png"));
  image.save(file);
  return file;
}

// Where the area below the menu bar is wrong as a whole: a stage pixel that is not a
// uniform square of the window's factor, or a border that is not one plain colour.
std::string CheckWhole(const QImage& area, const StagePlacement& place) {
  if (!area.rect().contains(place.rect)) return "the stage does not fit the screenshot";
  const int k = place.factor;
  const auto at = [&](int x, int y) { return reinterpret_cast<const QRgb*>(area.constScanLine(y))[x]; };
  long uneven = 0;
  for (int y = 0; y < place.rect.height(); ++y) {
    for (int x = 0; x < place.rect.width(); ++x) {
      const int sx = place.rect.x() + x, sy = place.rect.y() + y;
      uneven += at(sx, sy) != at(place.rect.x() + x / k * k, place.rect.y() + y / k * k);
    }
  }
  std::optional<QRgb> border;
  long off = 0;
  for (int y = 0; y < area.height(); ++y) {
    for (int x = 0; x < area.width(); ++x) {
      if (place.rect.contains(x, y)) continue;
      if (!border) border = at(x, y);
      off += at(x, y) != *border;
    }
  }
  std::string problem;
  if (uneven > 0) problem += std::to_string(uneven) + " device pixels break the squares of factor " + std::to_string(k) + "; ";
  if (off > 0) problem += std::to_string(off) + " border pixels differ from its plain colour; ";
  return problem;
}

class UserSession : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qApp == nullptr) return;
    layout_ = new WindowLayout(ReadWindowLayout());
    eureka_ = new CoreFrames(kEureka);
  }
  static void TearDownTestSuite() {
    delete layout_;
    delete eureka_;
    layout_ = nullptr;
    eureka_ = nullptr;
  }

  void SetUp() override {
    if (qApp == nullptr) GTEST_SKIP() << "no display";
    if (!ProgramWindow::HasXdotool()) GTEST_SKIP() << "no xdotool";
    program_ = std::make_unique<ProgramWindow>(*layout_);
  }

  void Start(const QProcessEnvironment& changes = {}, const QStringList& unset = {}) {
    ASSERT_EQ(program_->Start(changes, unset), "");
    // Same size as the window built here: same menu bar, so the menu geometry holds.
    ASSERT_EQ(program_->windowSize(), layout_->windowSize);
  }

  void TearDown() override { program_.reset(); }

  void Choose(const QString& item) {
    ASSERT_EQ(program_->Choose(item), "") << item.toStdString();
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
        SaveShot(label, last->image(), false);
        if (seen != nullptr) *seen = last;
        return ::testing::AssertionSuccess();
      }
    }
    return ::testing::AssertionFailure() << label << ": " << problem << " (screenshot "
                                         << SaveShot(label, last->image(), true).toStdString() << ")";
  }

  ::testing::AssertionResult ShowsScene(int scene, const std::string& label) {
    return Looks(label, SceneCheck(scene));
  }

  // The area below the menu bar shows, at the window's whole factor, exactly a picture
  // that the core makes of the eureka scene, in a plain border: no stale region, no trail.
  // Then it shows another such picture: the scene runs on and reaches the screen.
  ::testing::AssertionResult ShowsEurekaExactly(const std::string& label) {
    std::string problem;
    QImage area;
    std::optional<QImage> first;
    for (int look = 0; look < 2 * kLooks; ++look) {
      if (look > 0) Pause(kLookGapMs);
      // A window manager may still be adjusting the frame.
      if (!program_->Refresh()) return ::testing::AssertionFailure() << label << ": the window is gone";
      const StagePlacement place = program_->Placement();
      area = program_->GrabArea();
      problem = CheckWhole(area, place);
      if (!problem.empty()) continue;
      const QImage stage = program_->GrabStage();
      if (!eureka_->Contains(stage)) {
        problem = "the stage at factor " + std::to_string(place.factor) + " is none of the scene's " +
                  std::to_string(eureka_->size()) + " pictures";
        if (look == 2 * kLooks - 1) {
          problem += "; the nearest differs in " + std::to_string(eureka_->Closest(stage)) + " pixels";
        }
        continue;
      }
      if (!first) {
        first = stage;
        SaveShot(label, area, false);
      } else if (stage != *first) {
        return ::testing::AssertionSuccess();
      }
      problem = "the stage stood still on one of the scene's pictures";
    }
    return ::testing::AssertionFailure() << label << ": " << problem << " (screenshot "
                                         << SaveShot(label, area, true).toStdString() << ")";
  }

  // Takes screenshots until the stage changes: the animation runs.
  ::testing::AssertionResult Moves(const std::string& label) {
    const QImage first = program_->GrabStage();
    if (WaitFor(kLooks * kLookGapMs, [&] { return program_->GrabStage() != first; })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << label << ": the stage stood still for "
                                         << kLooks * kLookGapMs / 1000 << " s";
  }

  static WindowLayout* layout_;
  static CoreFrames* eureka_;
  std::unique_ptr<ProgramWindow> program_;
};

WindowLayout* UserSession::layout_ = nullptr;
CoreFrames* UserSession::eureka_ = nullptr;

TEST_F(UserSession, EachSceneFromTheMenuShowsItselfAndNothingOfTheSceneBefore) {
  Start();
  EXPECT_TRUE(ShowsScene(1, "scene1-at-start"));
  for (int scene = 1; scene <= 6; ++scene) {
    Choose(Item(kSceneCaptions[static_cast<size_t>(scene - 1)]));
    EXPECT_TRUE(ShowsScene(scene, "scene" + std::to_string(scene)));
  }
  // The ball scene neither draws nor clears lines: the menu command alone must wipe the
  // crosshair.
  Choose(Item(kSceneCaptions[1]));
  EXPECT_TRUE(ShowsScene(2, "scene2-after-scene6"));
  Choose(Item(kSceneCaptions[0]));
  EXPECT_TRUE(ShowsScene(1, "scene1-after-scene2"));
}

TEST_F(UserSession, AtEitherSpeedTheSceneShowsItselfAndRuns) {
  Start();
  Choose(Item(kSceneCaptions[1]));
  for (const SpeedItem& speed : {kSpeedItems[1], kSpeedItems[0]}) {
    Choose(Item(speed.caption));
    const std::string label = "speed-" + ItemName(speed.caption);
    EXPECT_TRUE(ShowsScene(2, label));
    EXPECT_TRUE(Moves(label));
  }
}

// Whatever the locale the program runs in, every title property holds its title; a
// window manager or a pager may read either.
TEST_F(UserSession, TitleIsRightInEveryPropertyWhateverTheLocale) {
  const QStringList locales = {"LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_MESSAGES"};
  const std::string title(kWindowTitle);
  for (const char* locale : {"", "C", "C.UTF-8"}) {
    QProcessEnvironment changes;
    if (*locale != '\0') changes.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    ASSERT_EQ(program_->Start(changes, locales), "") << "LC_ALL=" << locale;
    const unsigned long window = program_->window().toULong();
    EXPECT_EQ(TextProperty(window, "WM_NAME"), title) << "LC_ALL=" << locale;
    EXPECT_EQ(TextProperty(window, "_NET_WM_NAME"), title) << "LC_ALL=" << locale;
    program_ = std::make_unique<ProgramWindow>(*layout_);
  }
}

enum class Disturbance { Cover, Minimise, Maximise, FullScreen, Resize };

class DisturbedWindow : public UserSession, public ::testing::WithParamInterface<Disturbance> {
 protected:
  void SetUp() override {
    UserSession::SetUp();
    if (IsSkipped()) return;
    if (GetParam() != Disturbance::Cover && !WindowManagerRunning()) GTEST_SKIP() << "no window manager";
    Start();
  }

  void CoverAndUncover() {
    // A window of a colour the artwork never uses, over the whole stage.
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
    ASSERT_TRUE(covered) << "the cover did not hide the stage within 3 s";
    cover.hide();
  }

  void MinimiseAndRestore() {
    ASSERT_EQ(program_->Minimise(), "");
    Pause(300);
    ASSERT_EQ(program_->Restore(), "");
  }

  void MaximiseAndRestore() {
    const QSize before = program_->windowSize();
    ASSERT_EQ(program_->SetMaximised(true), "");
    // The virtual screen is 1920 x 1440: maximised, the stage takes factor 2.
    EXPECT_EQ(program_->Placement().factor, 2);
    EXPECT_TRUE(ShowsEurekaExactly("maximised"));
    ASSERT_EQ(program_->SetMaximised(false), "");
    EXPECT_EQ(program_->windowSize(), before);
  }

  void FullScreenAndBack() {
    const QSize before = program_->windowSize();
    ASSERT_EQ(program_->SetFullScreen(true), "");
    EXPECT_EQ(program_->windowSize(), QSize(1920, 1440));
    EXPECT_EQ(program_->Placement().factor, 2);
    EXPECT_TRUE(ShowsEurekaExactly("full-screen"));
    ASSERT_EQ(program_->SetFullScreen(false), "");
    EXPECT_EQ(program_->windowSize(), before);
  }

  void ResizeLargerAndSmaller() {
    ASSERT_EQ(program_->Resize(QSize(1800, 1350)), "");
    EXPECT_EQ(program_->Placement().factor, 2);
    EXPECT_TRUE(ShowsEurekaExactly("resized-1800x1350"));
    // Not quite twice the stage: back to factor 1, in a wide border.
    ASSERT_EQ(program_->Resize(QSize(1500, 1100)), "");
    EXPECT_EQ(program_->Placement().factor, 1);
  }
};

const char* NameOf(Disturbance d) {
  static const char* const kNames[] = {"Covered", "Minimised", "Maximised", "FullScreen", "Resized"};
  return kNames[static_cast<int>(d)];
}

TEST_P(DisturbedWindow, ShowsExactlyTheCoresPictureAfterwards) {
  const std::string name = NameOf(GetParam());
  // The eureka scene repaints only what moves, so only a full repaint can bring back the
  // tree and the caption; and every picture it shows can be made here exactly.
  Choose(Item(kSceneCaptions[kEureka - 1]));
  ASSERT_TRUE(ShowsEurekaExactly(name + "-before"));
  switch (GetParam()) {
    case Disturbance::Cover: CoverAndUncover(); break;
    case Disturbance::Minimise: MinimiseAndRestore(); break;
    case Disturbance::Maximise: MaximiseAndRestore(); break;
    case Disturbance::FullScreen: FullScreenAndBack(); break;
    case Disturbance::Resize: ResizeLargerAndSmaller(); break;
  }
  if (HasFatalFailure()) return;
  Pause(kSettleMs);
  EXPECT_TRUE(ShowsEurekaExactly(name + "-after"));
}

std::string ParamName(const ::testing::TestParamInfo<Disturbance>& info) { return NameOf(info.param); }

INSTANTIATE_TEST_SUITE_P(E2e, DisturbedWindow,
                         ::testing::Values(Disturbance::Cover, Disturbance::Minimise, Disturbance::Maximise,
                                           Disturbance::FullScreen, Disturbance::Resize),
                         ParamName);

}  // namespace
}  // namespace animatsiya::e2e
