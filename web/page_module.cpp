// The page's side inside the module: what Form1 and Timer1 do in the window. The script
// calls these on every animation frame and menu click with performance.now(), and puts the
// rectangles that Present returns straight from the module's memory.
#include <emscripten/emscripten.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/animation.h"
#include "app/tick_schedule.h"
#include "web/canvas_mirror.h"

namespace animatsiya {
namespace {

TickSchedule::Time FromMs(double ms) {
  return TickSchedule::Time(static_cast<std::int64_t>(std::llround(ms * 1000.0)));
}

class Page {
 public:
  Page(std::optional<std::uint64_t> seed, double nowMs)
      : timer1_(kNormalIntervalMs, FromMs(nowMs)) {
    if (seed) animation_.random().UseFixedSeed(*seed);
    animation_.Start();
    // The whole stage goes out with the first frame.
    animation_.stage().TakeDamage();
    mirror_ = std::make_unique<CanvasMirror>(animation_.stage().picture());
  }

  // Every tick that fell due by now, in order, each to its end.
  int RunDueTicks(double nowMs) {
    const int due = timer1_.TicksDue(FromMs(nowMs));
    for (int i = 0; i < due; ++i) {
      animation_.Tick();
      ++ticks_;
    }
    return due;
  }

  void ChooseScene(int k, double nowMs) {
    RunDueTicks(nowMs);
    animation_.ChooseScene(k);
  }

  void ChooseSpeed(Speed speed, double nowMs) {
    RunDueTicks(nowMs);
    animation_.ChooseSpeed(speed);
    timer1_.SetInterval(animation_.intervalMs(), FromMs(nowMs));
  }

  // Converts what changed since the last call for the canvas; presented() then holds the
  // rectangles to put. The first call puts the whole stage.
  void Present() {
    if (presented_ == nullptr) {
      presented_ = &whole_;
    } else {
      presented_ = &mirror_->Update(animation_.stage().TakeDamage());
    }
  }
  const std::vector<Rect>& presented() const { return *presented_; }

  const Animation& animation() const { return animation_; }
  const CanvasMirror& mirror() const { return *mirror_; }
  double ticks() const { return static_cast<double>(ticks_); }

 private:
  Animation animation_;
  TickSchedule timer1_;
  std::unique_ptr<CanvasMirror> mirror_;
  const std::vector<Rect> whole_{kStageRect};
  const std::vector<Rect>* presented_ = nullptr;
  long long ticks_ = 0;
};

Page* page = nullptr;

// The script reads the rectangles as four 32-bit integers each.
static_assert(sizeof(Rect) == 4 * sizeof(std::int32_t));

}  // namespace
}  // namespace animatsiya

using animatsiya::page;

extern "C" {

// A seed splits into two 32-bit halves, since the script's numbers hold 53 bits.
EMSCRIPTEN_KEEPALIVE void animatsiya_start(int seeded, std::uint32_t seedHigh,
                                           std::uint32_t seedLow, double nowMs) {
  std::optional<std::uint64_t> seed;
  if (seeded != 0) seed = (std::uint64_t{seedHigh} << 32) | seedLow;
  delete page;
  page = new animatsiya::Page(seed, nowMs);
}

EMSCRIPTEN_KEEPALIVE int animatsiya_run_due_ticks(double nowMs) {
  return page->RunDueTicks(nowMs);
}

EMSCRIPTEN_KEEPALIVE void animatsiya_choose_scene(int k, double nowMs) {
  page->ChooseScene(k, nowMs);
}

EMSCRIPTEN_KEEPALIVE void animatsiya_choose_speed(int fast, double nowMs) {
  page->ChooseSpeed(fast != 0 ? animatsiya::Speed::Fast : animatsiya::Speed::Normal, nowMs);
}

// How many rectangles to put; they stand at animatsiya_rects() as x, y, width, height.
EMSCRIPTEN_KEEPALIVE int animatsiya_present() {
  page->Present();
  return static_cast<int>(page->presented().size());
}

EMSCRIPTEN_KEEPALIVE const animatsiya::Rect* animatsiya_rects() {
  return page->presented().data();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* animatsiya_pixels() { return page->mirror().bytes(); }

EMSCRIPTEN_KEEPALIVE double animatsiya_ticks() { return page->ticks(); }

EMSCRIPTEN_KEEPALIVE int animatsiya_scene() { return page->animation().state().currentScene; }

EMSCRIPTEN_KEEPALIVE int animatsiya_interval() { return page->animation().intervalMs(); }

}  // extern "C"
