#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "stage/stage_widget.h"

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

// Starts openbox on this process's display and waits until it manages windows: the
// program then runs framed, placed, minimised and maximised as on a desktop. An empty
// string, or what went wrong.
std::string StartWindowManager(QProcess& openbox);
// Whether StartWindowManager succeeded.
bool WindowManagerRunning();

// Runs the event loop of this process for a while.
void Pause(int ms);
// Polls a condition until it holds or the time is up.
bool WaitFor(int ms, const std::function<bool()>& condition);

// The real program, started as its own process and found by its process id, driven with
// X input alone: every menu choice is a pair of mouse clicks that xdotool sends, and the
// window manager minimises, maximises and resizes it as a user's clicks would.
class ProgramWindow {
 public:
  explicit ProgramWindow(const WindowLayout& layout);
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  static bool HasXdotool();

  // Starts the program with these changes to this process's environment and waits for its
  // window; an empty string, or what went wrong.
  std::string Start(const QProcessEnvironment& changes = {}, const QStringList& unset = {});
  // Opens the item's menu with a click on its title and clicks the item in the popup.
  // An empty string, or what went wrong.
  std::string Choose(const QString& item);

  QString window() const { return window_; }
  // Reads the window's place and size again.
  bool Refresh() { return ReadGeometry(); }
  QSize windowSize() const { return windowSize_; }
  // The stage and its border, as the program places them in its client area now.
  StagePlacement Placement() const;
  // The stage on the screen, at its factor.
  QRect StageOnScreen() const;
  // What the screen shows of the window's client area below the menu bar.
  QImage GrabArea() const;
  // What the screen shows of the stage, one pixel for each of its squares.
  QImage GrabStage() const;
  // What the program printed so far.
  QString Output();

  // Minimise and restore through the window manager.
  std::string Minimise();
  std::string Restore();
  // Maximise or restore through the window manager; waits until the size has changed.
  std::string SetMaximised(bool maximised);
  std::string SetFullScreen(bool fullScreen);
  // Resizes the window as a user dragging its corner would; waits for the new size.
  std::string Resize(QSize size);

 private:
  std::optional<QString> Xdotool(const QStringList& args) const;
  QStringList VisibleWindows() const;
  std::optional<QRect> Geometry(const QString& window) const;
  bool ReadGeometry();
  std::string ChangeState(bool add, const char* doing, const char* first, const char* second);
  std::string Gone();

  const WindowLayout& layout_;
  QProcess process_;
  QString output_;
  QString window_;
  QPoint origin_;
  QSize windowSize_;
};

}  // namespace animatsiya::e2e
