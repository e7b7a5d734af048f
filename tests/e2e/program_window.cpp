#include "tests/e2e/program_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>

#include "app/form1.h"
#include "pixels/geometry.h"

namespace animatsiya::e2e {
namespace {

const QString kTitle = QStringLiteral("Анимация");
constexpr int kToolTimeoutMs = 10000;
constexpr int kWindowTimeoutMs = 15000;
constexpr int kPopupTimeoutMs = 3000;
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

std::string ProgramWindow::Start() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  // The same display as this process, through the X platform, whatever the caller set.
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  process_.setProcessEnvironment(environment);
  process_.setProcessChannelMode(QProcess::ForwardedChannels);
  process_.start(QStringLiteral(ANIMATSIYA_PROGRAM), {});
  if (!process_.waitForStarted(kToolTimeoutMs)) return "the program did not start";

  const QString pid = Number(static_cast<int>(process_.processId()));
  const bool found = WaitFor(kWindowTimeoutMs, [&] {
    const auto ids = Xdotool({"search", "--onlyvisible", "--name", "^" + kTitle + "$"});
    if (!ids) return false;
    for (const QString& id : ids->split('\n', Qt::SkipEmptyParts)) {
      if (Xdotool({"getwindowpid", id}).value_or(QString()).trimmed() == pid) {
        window_ = id;
        return true;
      }
    }
    return false;
  });
  if (!found) return "no visible window titled \"Анимация\" of the program";
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
      problem = "the menu did not open";
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

QRect ProgramWindow::StageOnScreen() const {
  return QRect(origin_ + layout_.stageAt, QSize(kStageWidth, kStageHeight));
}

QImage ProgramWindow::GrabStage() const {
  // From the root window: what the screen shows, whichever window is on top.
  const QRect r = StageOnScreen();
  return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
}

std::string ProgramWindow::Minimise() {
  Xdotool({"windowminimize", window_});
  const auto hidden = [&] { return !VisibleWindows().contains(window_); };
  if (!WaitFor(1000, hidden)) {
    // No window manager iconifies it here; unmap it as one would.
    Xdotool({"windowunmap", "--sync", window_});
  }
  return WaitFor(kPopupTimeoutMs, hidden) ? std::string() : "the window stayed on screen";
}

std::string ProgramWindow::Restore() {
  Xdotool({"windowmap", "--sync", window_});
  if (!WaitFor(kPopupTimeoutMs, [&] { return VisibleWindows().contains(window_); })) {
    return "the window did not come back";
  }
  return ReadGeometry() ? std::string() : "no geometry for the restored window";
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
  const auto shell = Xdotool({"getwindowgeometry", "--shell", window});
  if (!shell) return std::nullopt;
  std::map<QString, int> values;
  for (const QString& line : shell->split('\n', Qt::SkipEmptyParts)) {
    const qsizetype equals = line.indexOf('=');
    if (equals > 0) values[line.left(equals)] = line.mid(equals + 1).toInt();
  }
  if (values.count("X") == 0 || values.count("WIDTH") == 0) return std::nullopt;
  return QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
}

}  // namespace animatsiya::e2e
