// Runs the real main window, switches its speed through the menu's own actions and
// reports the window-side figures against their targets:
//
//   xvfb-run -a build/bin/window_driver [seconds per speed, default 10]
//
// The exit status is 0 whatever the figures; it is non-zero only when the driver itself
// cannot run.

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/frame_timer.h"
#include "stage/stage_widget.h"

namespace {

constexpr int kWarmUpMs = 1000;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "window_driver: %s\n", what.c_str());
  std::exit(2);
}

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// How long ago the process started, from its start time in /proc, which counts from boot.
double SecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  if (!std::getline(stat, line)) Fail("cannot read /proc/self/stat");
  // Fields after the command name, which is in parentheses and may hold spaces.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  if (!fields) Fail("no start time in /proc/self/stat");
  const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return Seconds(CLOCK_BOOTTIME) - started;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double PeakResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  Fail("no VmHWM in /proc/self/status");
}

struct Measured {
  double ticksPerSecond = 0;
  double cpuPercent = 0;
};

struct Row {
  const char* figure;
  const char* target;
  double value;
  const char* unit;
  bool pass;
};

// Waits until the first paint of the stage has been handed to the window system: the
// flush follows the paint within the same pass of the event loop.
class FirstFrameWatch : public QObject {
 public:
  explicit FirstFrameWatch(std::function<void()> onFirstFrame)
      : onFirstFrame_(std::move(onFirstFrame)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && onFirstFrame_) {
      QTimer::singleShot(0, std::move(onFirstFrame_));
      onFirstFrame_ = nullptr;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onFirstFrame_;
};

}  // namespace

int main(int argc, char** argv) {
  const double startedAgo = SecondsSinceProcessStart();
  const double mainAt = Seconds(CLOCK_MONOTONIC);
  const int measureMs = argc > 1 ? std::atoi(argv[1]) * 1000 : 10000;
  if (measureMs <= 0) Fail("the measuring time must be a positive number of seconds");
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    Fail("no display; run it under xvfb-run -a");
  }

  animatsiya::UseWholePixelScaling();
  QApplication app(argc, argv);
  animatsiya::Form1 form;
  auto action = [&form](const char* name) {
    auto* found = form.findChild<QAction*>(QString::fromUtf8(name));
    if (found == nullptr) Fail(std::string("no action ") + name);
    return found;
  };
  QAction* fast = action("Быстрая");
  QAction* normal = action("Нормальная");

  double firstFrameMs = 0;
  Measured atFast;
  Measured atNormal;

  // The rate is counted from tick to tick, so the window of measuring, which opens and
  // closes between ticks, cannot miscount it by one.
  double lastTickAt = 0;
  QObject::connect(&form.timer1(), &animatsiya::FrameTimer::timeout,
                   [&] { lastTickAt = Seconds(CLOCK_MONOTONIC); });

  // Each phase: switch the speed, let it settle, then count ticks and CPU time.
  auto measure = [&](QAction* speed, Measured& into, std::function<void()> then) {
    speed->trigger();
    QTimer::singleShot(kWarmUpMs, [&, then] {
      const long ticks = form.ticks();
      const double firstTickAt = lastTickAt;
      const double cpu = CpuSeconds();
      const double wall = Seconds(CLOCK_MONOTONIC);
      QTimer::singleShot(measureMs, [&, ticks, firstTickAt, cpu, wall, then] {
        const double elapsed = Seconds(CLOCK_MONOTONIC) - wall;
        into.ticksPerSecond =
            static_cast<double>(form.ticks() - ticks) / (lastTickAt - firstTickAt);
        into.cpuPercent = 100.0 * (CpuSeconds() - cpu) / elapsed;
        then();
      });
    });
  };

  FirstFrameWatch watch([&] {
    firstFrameMs = (startedAgo + Seconds(CLOCK_MONOTONIC) - mainAt) * 1000.0;
    measure(fast, atFast, [&] { measure(normal, atNormal, [] { QApplication::quit(); }); });
  });
  form.centralWidget()->installEventFilter(&watch);
  form.show();
  if (app.exec() != 0) Fail("the event loop failed");

  const double peakMb = PeakResidentMb();
  const std::vector<Row> rows = {
      {"ticks per second, fast, real window", ">= 990", atFast.ticksPerSecond, "/s", atFast.ticksPerSecond >= 990},
      {"ticks per second, normal", "20.0 +- 1 %", atNormal.ticksPerSecond, "/s",
       atNormal.ticksPerSecond >= 19.8 && atNormal.ticksPerSecond <= 20.2},
      {"CPU, fast, whole process", "<= 5 %", atFast.cpuPercent, "%", atFast.cpuPercent <= 5},
      {"CPU, normal, whole process", "<= 0.5 %", atNormal.cpuPercent, "%",
       atNormal.cpuPercent <= 0.5},
      {"peak resident memory", "<= 36 MB", peakMb, "MB", peakMb <= 36},
      {"start to first frame", "<= 100 ms", firstFrameMs, "ms", firstFrameMs <= 100},
  };
  std::printf("%-36s %-16s %-13s %s\n", "figure", "target", "measured", "result");
  for (const Row& row : rows) {
    std::printf("%-36s %-16s %8.2f %-4s %s\n", row.figure, row.target, row.value, row.unit,
                row.pass ? "pass" : "FAIL");
  }
  std::printf("(the real window; %d s per speed after %d ms to settle; CPU of all threads)\n",
              measureMs / 1000, kWarmUpMs);
  return 0;
}
