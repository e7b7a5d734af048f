#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "pixels/geometry.h"
#include "tests/e2e/scene_looks.h"
#include "tests/e2e/stage_shot.h"

// The real program on Wayland, through Qt's own Wayland plugin: a headless weston that
// this test starts, with its screenshot client, and no X server anywhere.
namespace animatsiya::e2e {
namespace {

constexpr int kStartMs = 15000;
constexpr int kLooks = 10;
constexpr int kLookGapMs = 300;
// Rows and columns with a run of the stage's grey this long belong to the stage: the
// desktop's background and the window's title bar have none.
constexpr int kLongGreyRun = 300;

bool WaitFor(int ms, const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.hasExpired(ms)) return false;
    QThread::msleep(50);
  }
  return true;
}

int LongestGreyRun(const QImage& image, bool rows, int index) {
  const int length = rows ? image.width() : image.height();
  int longest = 0;
  int run = 0;
  for (int i = 0; i < length; ++i) {
    const QRgb pixel = rows ? image.pixel(i, index) : image.pixel(index, i);
    run = (pixel | 0xFF000000u) == kBackground ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

// The stage's rectangle in a screenshot of the desktop.
QRect FindStage(const QImage& screen) {
  int top = -1, bottom = -1, left = -1, right = -1;
  for (int y = 0; y < screen.height(); ++y) {
    if (LongestGreyRun(screen, true, y) < kLongGreyRun) continue;
    if (top < 0) top = y;
    bottom = y;
  }
  for (int x = 0; x < screen.width(); ++x) {
    if (LongestGreyRun(screen, false, x) < kLongGreyRun) continue;
    if (left < 0) left = x;
    right = x;
  }
  if (top < 0 || left < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

class WaylandSession : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"weston", "weston-screenshooter"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
        GTEST_SKIP() << tool << " is not installed";
      }
    }
    ASSERT_TRUE(runtime_.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Weston's own messages are no concern of the test; the program's are.
    weston_.setProcessEnvironment(environment);
    weston_.setStandardOutputFile(QProcess::nullDevice());
    weston_.setStandardErrorFile(QProcess::nullDevice());
    // --debug lets the screenshot client in.
    weston_.start(QStringLiteral("weston"),
                  {"--backend=headless-backend.so", "--use-pixman", "--no-config", "--idle-time=0", "--debug",
                   "--width=1280", "--height=1024", "--socket=animatsiya-test"});
    ASSERT_TRUE(weston_.waitForStarted(kStartMs)) << weston_.errorString().toStdString();
    const QString socket = runtime_.filePath(QStringLiteral("animatsiya-test"));
    ASSERT_TRUE(WaitFor(kStartMs, [&] { return QFile::exists(socket) || weston_.state() == QProcess::NotRunning; }) &&
                weston_.state() == QProcess::Running)
        << "weston did not open its socket within " << kStartMs / 1000 << " s";

    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("animatsiya-test"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    program_.setProcessEnvironment(environment);
    program_.setProcessChannelMode(QProcess::MergedChannels);
    program_.start(QStringLiteral(ANIMATSIYA_PROGRAM), {});
    ASSERT_TRUE(program_.waitForStarted(kStartMs)) << program_.errorString().toStdString();
    environment_ = environment;
  }

  void TearDown() override {
    for (QProcess* process : {&program_, &weston_}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->terminate();
      if (!process->waitForFinished(3000)) process->kill();
      process->waitForFinished(3000);
    }
  }

  // The whole desktop, as weston's screenshot client saves it.
  std::optional<QImage> Screenshot() {
    QDir dir(shots_.path());
    for (const QString& old : dir.entryList({"*.png"})) dir.remove(old);
    QProcess client;
    client.setProcessEnvironment(environment_);
    client.setWorkingDirectory(shots_.path());
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(QStringLiteral("weston-screenshooter"), {});
    if (!client.waitForFinished(kStartMs) || client.exitCode() != 0) return std::nullopt;
    const QStringList files = dir.entryList({"*.png"});
    if (files.isEmpty()) return std::nullopt;
    return QImage(dir.filePath(files.first())).convertToFormat(QImage::Format_RGB32);
  }

  // The stage as a screenshot shows it, one pixel per square of its factor.
  std::optional<QImage> Stage(std::string* problem) {
    const auto screen = Screenshot();
    if (!screen) {
      *problem = "no screenshot from weston-screenshooter";
      return std::nullopt;
    }
    last_ = *screen;
    const QRect stage = FindStage(*screen);
    const int k = stage.width() / kStageWidth;
    if (k < 1 || stage.size() != QSize(kStageWidth * k, kStageHeight * k)) {
      *problem = "no stage on the desktop: the stage's grey spans " + std::to_string(stage.width()) + "x" +
                 std::to_string(stage.height());
      return std::nullopt;
    }
    QImage out(kStageWidth, kStageHeight, QImage::Format_RGB32);
    for (int y = 0; y < kStageHeight; ++y) {
      for (int x = 0; x < kStageWidth; ++x) out.setPixel(x, y, screen->pixel(stage.x() + x * k, stage.y() + y * k));
    }
    return out;
  }

  // What the program printed: all of it once it has ended.
  QString Output() {
    program_.waitForReadyRead(100);
    return QString::fromLocal8Bit(program_.readAll());
  }

  QTemporaryDir runtime_;
  QTemporaryDir shots_;
  QProcessEnvironment environment_;
  QProcess weston_;
  QProcess program_;
  QImage last_;
};

TEST_F(WaylandSession, ShowsItsWindowAndTicksWithoutAWarning) {
  std::string problem;
  std::optional<QImage> first;
  for (int look = 0; look < kLooks && !first; ++look) {
    QThread::msleep(kLookGapMs);
    ASSERT_EQ(program_.state(), QProcess::Running) << "the program ended: " << Output().toStdString();
    if (auto stage = Stage(&problem)) {
      problem = CheckScene(1, StageShot(*stage));
      if (problem.empty()) first = stage;
    }
  }
  ASSERT_TRUE(first) << problem << " (the desktop as last seen: " << shots_.filePath("last.png").toStdString()
                     << ")" << (shots_.setAutoRemove(false), last_.save(shots_.filePath("last.png")), "");
  // The UFO moves on every tick.
  bool moved = false;
  for (int look = 0; look < kLooks && !moved; ++look) {
    QThread::msleep(kLookGapMs);
    const auto stage = Stage(&problem);
    moved = stage && *stage != *first;
  }
  EXPECT_TRUE(moved) << "the stage stood still for " << kLooks * kLookGapMs / 1000.0 << " s";
  program_.terminate();
  program_.waitForFinished(3000);
  EXPECT_EQ(Output().toStdString(), "");
}

}  // namespace
}  // namespace animatsiya::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
