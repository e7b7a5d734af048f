// Runs the real main window for a fixed number of ticks at the fast speed, choosing every
// scene through the menu's own actions, and quits. Made to run under a memory checker:
//
//   QT_QPA_PLATFORM=offscreen valgrind --leak-check=full build/bin/window_soak [ticks]
//
// Without a display it uses Qt's offscreen platform. Exit status 0 once the ticks have
// run, 2 when the window cannot be driven.

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/form1.h"
#include "app/menus.h"
#include "stage/stage_widget.h"

namespace {

constexpr long kDefaultTicks = 3000;
// How often the driver looks at the tick count; Timer1 runs every millisecond meanwhile.
constexpr int kPollMs = 5;

// Every scene twice, in two orders, so each is entered from several others; in the
// middle the speed is set back to normal for a few ticks.
constexpr int kPlan[] = {1, 2, 3, 4, 5, 6, 4, 1, 5, 2, 6, 3};
constexpr int kNormalSegment = 6;
constexpr long kNormalTicks = 5;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "window_soak: %s\n", what.c_str());
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  const long ticks = argc > 1 ? std::atol(argv[1]) : kDefaultTicks;
  if (ticks < static_cast<long>(std::size(kPlan))) {
    Fail("the number of ticks must be at least " + std::to_string(std::size(kPlan)));
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }

  animatsiya::UseWholePixelScaling();
  QApplication app(argc, argv);
  animatsiya::Form1 form;
  auto action = [&form](std::string_view caption) {
    const std::string name = animatsiya::ItemName(caption);
    auto* found = form.findChild<QAction*>(QString::fromStdString(name));
    if (found == nullptr) Fail("no action " + name);
    return found;
  };
  QAction* normal = action(animatsiya::kSpeedItems[0].caption);
  QAction* fast = action(animatsiya::kSpeedItems[1].caption);

  const long perSegment = ticks / static_cast<long>(std::size(kPlan));
  int segment = -1;
  long segmentStart = 0;
  bool atNormal = false;
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (form.ticks() >= ticks) {
      QApplication::quit();
      return;
    }
    const int due = static_cast<int>(
        std::min<long>(form.ticks() / perSegment, static_cast<long>(std::size(kPlan)) - 1));
    if (due != segment) {
      segment = due;
      segmentStart = form.ticks();
      action(animatsiya::kSceneCaptions[kPlan[segment] - 1])->trigger();
      atNormal = segment == kNormalSegment;
      (atNormal ? normal : fast)->trigger();
    } else if (atNormal && form.ticks() - segmentStart >= kNormalTicks) {
      atNormal = false;
      fast->trigger();
    }
  });

  form.show();
  poll.start();
  if (app.exec() != 0) Fail("the event loop failed");
  std::printf("window_soak: %ld ticks, %d scene commands through the menu\n", form.ticks(),
              segment + 1);
  return 0;
}
