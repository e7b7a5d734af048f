// The cost of one tick (a scene step and the repaint after it) per scene, beside the cost
// of composing the whole stage once, measured in the same run. Prints the benchmark's own
// report and then one row per figure: figure, target, measured, pass or fail.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <map>
#include <string>

#include "app/animation.h"

namespace animatsiya {
namespace {

std::map<std::string, double> meanNs;
std::map<std::string, double> worstNs;

double ThreadNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

void FullComposition(benchmark::State& state) {
  Animation animation;
  animation.random().UseFixedSeed(1);
  animation.Start();
  for (auto _ : state) {
    animation.stage().ComposeAll();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(FullComposition);

void Tick(benchmark::State& state) {
  const int scene = static_cast<int>(state.range(0));
  Animation animation;
  animation.random().UseFixedSeed(1);
  animation.Start();
  animation.ChooseScene(scene);
  double worst = 0;
  for (auto _ : state) {
    // The worst tick is timed on this thread's CPU clock, so that the time the machine
    // gives to other processes does not count against it.
    const double start = ThreadNs();
    animation.Tick();
    animation.stage().TakeDamage();
    worst = std::max(worst, ThreadNs() - start);
  }
  state.counters["worst_ns"] = worst;
}
BENCHMARK(Tick)->DenseRange(1, 6)->MinTime(1.0);

// Keeps the per-iteration times so the summary can compare them.
class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const double ns = run.GetAdjustedRealTime() *
                        (run.time_unit == benchmark::kNanosecond ? 1.0
                         : run.time_unit == benchmark::kMicrosecond ? 1e3 : 1e6);
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      meanNs[name] = ns;
      if (auto w = run.counters.find("worst_ns"); w != run.counters.end()) worstNs[name] = w->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void Row(const std::string& figure, const std::string& target, double measured, double limit) {
  std::printf("| %-32s | %-22s | %10.0f ns | %-4s |\n", figure.c_str(), target.c_str(), measured,
              measured <= limit ? "pass" : "FAIL");
}

}  // namespace
}  // namespace animatsiya

int main(int argc, char** argv) {
  using namespace animatsiya;
  benchmark::Initialize(&argc, argv);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  const double full = meanNs["FullComposition"];
  std::printf("\n| %-32s | %-22s | %13s | %-4s |\n", "figure", "target", "measured", "");
  std::printf("| %-32s | %-22s | %10.0f ns | %-4s |\n", "full-stage composition", "(reference)", full,
              "");
  double worst = 0;
  for (int scene = 1; scene <= 6; ++scene) {
    const std::string name = "Tick/" + std::to_string(scene);
    Row("mean tick, scene " + std::to_string(scene), "<= full / 10", meanNs[name], full / 10);
    worst = std::max(worst, worstNs[name]);
  }
  Row("worst single tick, any scene", "<= full / 2", worst, full / 2);
  return 0;
}
