#include "tests/e2e/program_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "app/form1.h"
#include "pixels/geometry.h"
#include "tests/e2e/x11_properties.h"

namespace animatsiya::e2e {
namespace {

constexpr int kToolTimeoutMs = 10000;
constexpr int kWindowTimeoutMs = 15000;
constexpr int kPopupTimeoutMs = 3000;
constexpr int kWindowManagerTimeoutMs = 5000;
constexpr int kAttempts = 3;

QString XdotoolPath() { return QStandardPaths::findExecutable(QStringLiteral("xdotool")); }

QString Number(int n) { return QString::number(n); }

}  // namespace

const MenuPlace* WindowLayout::MenuOf(const QString& item) const {
  for (const auto& [name, menu] : menus) {
    if (menu.items.count(item) != 0) return &menu;
  }
  return nullptr;
}

WindowLayout ReadWindowLayout() {
  Form1 form;
  // Laid out and polished as if shown, but never mapped: the search by title finds only
  // the real program.
  form.setAttribute(Qt::WA_DontShowOnScreen);
  form.show();
  QCoreApplication::processEvents();

  WindowLayout layout;
  layout.windowSize = form.size();
  layout.stageAt = form.centralWidget()->mapTo(&form, QPoint(0, 0));
  QMenuBar* bar = form.menuBar();
  const QPoint barAt = bar->mapTo(&form, QPoint(0, 0));
  for (QAction* top : bar->actions()) {
    QMenu* menu = top->menu();
    if (menu == nullptr) continue;
    MenuPlace place;
    const QRect title = bar->actionGeometry(top);
    place.title = title.translated(barAt);
    // The menu bar drops a popup from its title's bottom-left corner, one pixel lower.
    place.popupAt = barAt + title.bottomLeft() + QPoint(0, 1);
    place.popupSize = menu->sizeHint();
    for (QAction* item : menu->actions()) place.items[item->objectName()] = menu->actionGeometry(item);
    layout.menus[menu->objectName()] = place;
  }
  return layout;
}

namespace {
bool windowManagerRunning = false;
}  // namespace

std::string StartWindowManager(QProcess& openbox) {
  const QString path = QStandardPaths::findExecutable(QStringLiteral("openbox"));
  if (path.isEmpty()) return "openbox is not installed";
  QTemporaryDir scratch;
  const QString ready = scratch.filePath(QStringLiteral("ready"));
  // Its own messages (a missing menu file and the like) are no concern of the tests.
  openbox.setStandardOutputFile(QProcess::nullDevice());
  openbox.setStandardErrorFile(QProcess::nullDevice());
  openbox.start(path, {"--sm-disable", "--startup", "touch " + ready});
  if (!openbox.waitForStarted(kToolTimeoutMs)) return "openbox did not start: " + openbox.errorString().toStdString();
  windowManagerRunning = WaitFor(kWindowManagerTimeoutMs, [&] {
    return QFile::exists(ready) || openbox.state() == QProcess::NotRunning;
  }) && openbox.state() == QProcess::Running;
  if (windowManagerRunning) return {};
  return "openbox did not take over the display within " + std::to_string(kWindowManagerTimeoutMs / 1000) +
         " s (status " + std::to_string(openbox.exitCode()) + ")";
}

bool WindowManagerRunning() { return windowManagerRunning; }

void Pause(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!clock.hasExpired(ms)) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
}

bool WaitFor(int ms, const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.hasExpired(ms)) return false;
    Pause(20);
  }
  return true;
}

ProgramWindow::ProgramWindow(const WindowLayout& layout) : layout_(layout) {}

ProgramWindow::~ProgramWindow() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

bool ProgramWindow::HasXdotool() { return !XdotoolPath().isEmpty(); }

QString ProgramWindow::Output() {
  output_ += QString::fromLocal8Bit(process_.readAll());
  return output_;
}

std::string ProgramWindow::Gone() {
  return "the program ended with status " + std::to_string(process_.exitCode()) + "; it printed: " +
         Output().toStdString();
}

std::string ProgramWindow::Start(const QProcessEnvironment& changes, const QStringList& unset) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& name : unset) environment.remove(name);
  for (const QString& name : changes.keys()) environment.insert(name, changes.value(name));
  // The same display as this process, through the X platform, whatever the caller set.
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  process_.setProcessEnvironment(environment);
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.start(QStringLiteral(ANIMATSIYA_PROGRAM), {});
  if (!process_.waitForStarted(kToolTimeoutMs)) {
    return "the program did not start: " + process_.errorString().toStdString();
  }

  // Found by its process id, not its title: a search by a Cyrillic name depends on the
  // locale that xdotool runs in.
  const bool found = WaitFor(kWindowTimeoutMs, [&] {
    if (process_.state() == QProcess::NotRunning) return true;
    const QStringList ids = VisibleWindows();
    if (!ids.isEmpty()) window_ = ids.first();
    return !ids.isEmpty();
  });
  if (process_.state() == QProcess::NotRunning) return Gone();
  if (!found) {
    return "no visible window of the program, process " + std::to_string(process_.processId()) + ", after " +
           std::to_string(kWindowTimeoutMs / 1000) + " s; it printed: " + Output().toStdString();
  }
  if (!ReadGeometry()) return "no geometry for the program's window";
  return {};
}

bool ProgramWindow::ReadGeometry() {
  const auto geometry = Geometry(window_);
  if (!geometry) return false;
  origin_ = geometry->topLeft();
  windowSize_ = geometry->size();
  return true;
}

std::string ProgramWindow::Choose(const QString& item) {
  const MenuPlace* menu = layout_.MenuOf(item);
  if (menu == nullptr) return "no menu item named " + item.toStdString();
  std::string problem;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const QPoint title = origin_ + menu->title.center();
    Xdotool({"mousemove", Number(title.x()), Number(title.y()), "click", "1"});
    QString popup;
    WaitFor(kPopupTimeoutMs, [&] {
      for (const QString& id : VisibleWindows()) {
        if (id != window_) popup = id;
      }
      return !popup.isEmpty();
    });
    const auto popupGeometry = popup.isEmpty() ? std::nullopt : Geometry(popup);
    if (!popupGeometry) {
      problem = "the menu did not open within " + std::to_string(kPopupTimeoutMs / 1000) + " s";
      Xdotool({"key", "Escape"});
      Pause(200);
      continue;
    }
    if (popupGeometry->topLeft() != origin_ + menu->popupAt || popupGeometry->size() != menu->popupSize) {
      // The widgets built here and the program's disagree: the clicks would miss.
      Xdotool({"key", "Escape"});
      return "the popup stands at " + std::to_string(popupGeometry->x()) + "," +
             std::to_string(popupGeometry->y()) + " " + std::to_string(popupGeometry->width()) + "x" +
             std::to_string(popupGeometry->height()) + ", not where the menu bar puts it";
    }
    const QPoint target = popupGeometry->topLeft() + menu->items.at(item).center();
    Xdotool({"mousemove", Number(target.x()), Number(target.y())});
    Pause(50);
    Xdotool({"click", "1"});
    if (WaitFor(kPopupTimeoutMs, [&] { return !VisibleWindows().contains(popup); })) return {};
    problem = "the menu stayed open after the click on " + item.toStdString();
    Xdotool({"key", "Escape"});
    Pause(200);
  }
  return problem;
}

StagePlacement ProgramWindow::Placement() const {
  return PlaceStage(windowSize_ - QSize(0, layout_.stageAt.y()));
}

QRect ProgramWindow::StageOnScreen() const {
  return Placement().rect.translated(origin_ + layout_.stageAt);
}

QImage ProgramWindow::GrabArea() const {
  // From the root window: what the screen shows, whichever window is on top.
  const QRect r(origin_ + layout_.stageAt, windowSize_ - QSize(0, layout_.stageAt.y()));
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

QImage ProgramWindow::GrabStage() const {
  const StagePlacement place = Placement();
  const QImage area = GrabArea();
  if (!area.rect().contains(place.rect)) return {};
  const int k = place.factor;
  QImage stage(kStageWidth, kStageHeight, QImage::Format_RGB32);
  for (int y = 0; y < kStageHeight; ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(area.constScanLine(place.rect.y() + y * k)) + place.rect.x();
    auto* to = reinterpret_cast<QRgb*>(stage.scanLine(y));
    for (int x = 0; x < kStageWidth; ++x) to[x] = from[x * k];
  }
  return stage;
}

std::string ProgramWindow::Minimise() {
  Xdotool({"windowminimize", window_});
  if (WaitFor(kWindowManagerTimeoutMs, [&] { return !VisibleWindows().contains(window_); })) return {};
  return "the window manager did not minimise the window within " + std::to_string(kWindowManagerTimeoutMs / 1000) +
         " s";
}

std::string ProgramWindow::Restore() {
  // A click on the task bar entry: the window manager maps and activates the window.
  Xdotool({"windowactivate", window_});
  if (!WaitFor(kWindowManagerTimeoutMs, [&] { return VisibleWindows().contains(window_); })) {
    return "the window manager did not restore the window within " +
           std::to_string(kWindowManagerTimeoutMs / 1000) + " s";
  }
  // The window manager may animate the frame for a moment; the window comes back where it was.
  const QRect before(origin_, windowSize_);
  if (WaitFor(kWindowManagerTimeoutMs, [&] { return ReadGeometry() && QRect(origin_, windowSize_) == before; })) {
    return {};
  }
  return "the restored window stands at " + std::to_string(origin_.x()) + "," + std::to_string(origin_.y()) +
         ", not where it was";
}

std::string ProgramWindow::SetMaximised(bool maximised) {
  return ChangeState(maximised, "maximise", "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
}

std::string ProgramWindow::SetFullScreen(bool fullScreen) {
  return ChangeState(fullScreen, "make full screen", "_NET_WM_STATE_FULLSCREEN", nullptr);
}

std::string ProgramWindow::ChangeState(bool add, const char* doing, const char* first, const char* second) {
  const QSize before = windowSize_;
  if (!ChangeWmState(window_.toULong(), add, first, second)) return "no X display to send the window manager a message";
  const bool changed = WaitFor(kWindowManagerTimeoutMs, [&] { return ReadGeometry() && windowSize_ != before; });
  if (changed) {
    // It may take more than one step: wait until the size holds for a moment.
    QSize last;
    WaitFor(kWindowManagerTimeoutMs, [&] {
      const QSize previous = last;
      Pause(150);
      ReadGeometry();
      last = windowSize_;
      return last == previous;
    });
    return {};
  }
  return std::string("the window manager did not ") + (add ? doing : "restore") + " the window within " +
         std::to_string(kWindowManagerTimeoutMs / 1000) + " s: it stays " + std::to_string(windowSize_.width()) +
         "x" + std::to_string(windowSize_.height());
}

std::string ProgramWindow::Resize(QSize size) {
  Xdotool({"windowsize", window_, Number(size.width()), Number(size.height())});
  if (WaitFor(kWindowManagerTimeoutMs, [&] { return ReadGeometry() && windowSize_ == size; })) return {};
  return "the window stayed " + std::to_string(windowSize_.width()) + "x" + std::to_string(windowSize_.height()) +
         " instead of " + std::to_string(size.width()) + "x" + std::to_string(size.height()) + " for " +
         std::to_string(kWindowManagerTimeoutMs / 1000) + " s";
}

std::optional<QString> ProgramWindow::Xdotool(const QStringList& args) const {
  QProcess tool;
  tool.start(XdotoolPath(), args);
  if (!tool.waitForFinished(kToolTimeoutMs)) {
    tool.kill();
    tool.waitForFinished();
    return std::nullopt;
  }
  if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) return std::nullopt;
  return QString::fromUtf8(tool.readAllStandardOutput());
}

QStringList ProgramWindow::VisibleWindows() const {
  const QString pid = Number(static_cast<int>(process_.processId()));
  return Xdotool({"search", "--onlyvisible", "--pid", pid}).value_or(QString()).split('\n', Qt::SkipEmptyParts);
}

std::optional<QRect> ProgramWindow::Geometry(const QString& window) const {
  ScreenRect r;
  if (!WindowOnScreen(window.toULong(), &r)) return std::nullopt;
  return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace animatsiya::e2e
