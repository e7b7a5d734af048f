#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace animatsiya::e2e {

// Where a menu's title and items lie.
struct MenuPlace {
  QRect title;                     // in window coordinates
  QPoint popupAt;                  // where the menu bar puts the popup, in window coordinates
  QSize popupSize;
  std::map<QString, QRect> items;  // by object name, in popup coordinates
};

// The window's geometry as the program's own widgets give it: a Form1 built in this
// process with the same style and fonts, never shown on screen.
struct WindowLayout {
  QSize windowSize;
  QPoint stageAt;                        // the client area, in window coordinates
  std::map<QString, MenuPlace> menus;    // by object name

  // The menu that holds an item, or nullptr.
  const MenuPlace* MenuOf(const QString& item) const;
};
WindowLayout ReadWindowLayout();

// Runs the event loop of this process for a while.
void Pause(int ms);
// Polls a condition until it holds or the time is up.
bool WaitFor(int ms, const std::function<bool()>& condition);

// The real program, started as its own process and found by its title, driven with X
// input alone: every menu choice is a pair of mouse clicks that xdotool sends.
class ProgramWindow {
 public:
  explicit ProgramWindow(const WindowLayout& layout);
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  static bool HasXdotool();

  // Starts the program and waits for its window; an empty string, or what went wrong.
  std::string Start();
  // Opens the item's menu with a click on its title and clicks the item in the popup.
  // An empty string, or what went wrong.
  std::string Choose(const QString& item);

  QSize windowSize() const { return windowSize_; }
  // The client area on the screen.
  QRect StageOnScreen() const;
  // What the screen shows of the client area now.
  QImage GrabStage() const;

  // Minimise and restore, as a window manager does it: the window is unmapped, then mapped.
  std::string Minimise();
  std::string Restore();

 private:
  std::optional<QString> Xdotool(const QStringList& args) const;
  QStringList VisibleWindows() const;
  std::optional<QRect> Geometry(const QString& window) const;
  bool ReadGeometry();

  const WindowLayout& layout_;
  QProcess process_;
  QString window_;
  QPoint origin_;
  QSize windowSize_;
};

}  // namespace animatsiya::e2e
