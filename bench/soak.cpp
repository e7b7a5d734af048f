// Runs the core for a long time under random scene and speed commands and checks, on the
// way, what must hold on every tick of a run however long it lasts:
//
//   build/bin/animatsiya-soak [--ticks N] [--seed S]
//
// - every field of the record stays within the range its scene allows;
// - a sprite holding a picture is exactly that picture's size;
// - no 16-bit result saturates, except titleTick held at its limit;
// - titleTick never goes back, so the title is never typed twice;
// - sampled, the shown stage picture is a full composition plus surviving lines: it
//   differs from ComposeFresh() only on line-black pixels, and not at all right after a
//   scene command or while a scene that draws no lines runs;
// - resident memory after the run is within 1 MB of that after 10,000 ticks (reported but
//   not checked under AddressSanitizer, whose quarantine holds up to 256 MB of freed
//   memory back; run the plain build for that figure).
//
// The seed drives both the commands and the animation's random source, so a failing run
// repeats exactly with the seed it prints. Exit status 0 when all held, 1 on the first
// violation (with the tick and the field), 2 on bad arguments.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "app/animation.h"
#include "app/animation_state.h"
#include "pictures/picture_set.h"
#include "pixels/raster.h"
#include "stage/sprite_table.h"

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_UNDER_ASAN 1
#endif
#endif
#ifndef SOAK_UNDER_ASAN
#define SOAK_UNDER_ASAN 0
#endif

namespace animatsiya {
namespace {

constexpr bool kChecksResidentMemory = !SOAK_UNDER_ASAN;
constexpr long long kDefaultTicks = 1'000'000;
constexpr long long kFirstRssTick = 10'000;
constexpr long long kComposeEvery = 1'000;
constexpr long kRssSlackKb = 1024;
constexpr int kTwipsPerPixel = 15;
constexpr int kTitleTickLimit = 32767;

struct FieldRange {
  Int16 AnimationState::*member;
  const char* name;
  int min;
  int max;
};

// What each field may hold between ticks, once StartUp has run. Positions include the
// 0 a field holds until its scene first runs.
constexpr FieldRange kRanges[] = {
    // MoveUfo: one move of 130 past the turn points 50 and 10000, or 50 and the y limit
    // (7999 in scene 1, 4999 in scenes 5 and 6); a start at 0 moving left gives -130.
    {&AnimationState::ufoX, "ufoX", -130, 10129},
    {&AnimationState::ufoY, "ufoY", -130, 8129},
    {&AnimationState::ufoDirX, "ufoDirX", 0, 1},
    {&AnimationState::ufoDirY, "ufoDirY", 0, 1},
    // Saucers 2 and 3 stand at 0 until their first spawn; flights end at a left from 0
    // up, since 12000 is a multiple of 160 and no stop x is negative.
    {&AnimationState::saucer1X, "saucer1X", 0, 12000},
    {&AnimationState::saucer2X, "saucer2X", 0, 12000},
    {&AnimationState::saucer3X, "saucer3X", 0, 12000},
    // A spawn below 50 moving up gives -150 on the same step; 8000 moving down, 8150.
    {&AnimationState::saucer1Y, "saucer1Y", -150, 8150},
    {&AnimationState::saucer2Y, "saucer2Y", -150, 8150},
    {&AnimationState::saucer3Y, "saucer3Y", -150, 8150},
    {&AnimationState::saucer1DirY, "saucer1DirY", 0, 1},
    {&AnimationState::saucer2DirY, "saucer2DirY", 0, 1},
    {&AnimationState::saucer3DirY, "saucer3DirY", 0, 1},
    {&AnimationState::saucer1Tick, "saucer1Tick", 0, 109},
    {&AnimationState::saucer2Tick, "saucer2Tick", 0, 119},
    {&AnimationState::saucer3Tick, "saucer3Tick", 0, 129},
    {&AnimationState::saucer1StopX, "saucer1StopX", 0, 7999},
    {&AnimationState::saucer2StopX, "saucer2StopX", 0, 7999},
    {&AnimationState::saucer3StopX, "saucer3StopX", 0, 7999},
    // A ball goes one step of 130 past its turn points; a start of 0 moving left or up
    // gives -130, and a start of 7999 moving down gives 8129 before the ball turns.
    {&AnimationState::ball1X, "ball1X", -130, 10829},
    {&AnimationState::ball1Y, "ball1Y", -130, 8129},
    {&AnimationState::ball2X, "ball2X", -130, 10529},
    {&AnimationState::ball2Y, "ball2Y", -130, 8129},
    {&AnimationState::ball1DirX, "ball1DirX", 0, 1},
    {&AnimationState::ball1DirY, "ball1DirY", 0, 1},
    {&AnimationState::ball2DirX, "ball2DirX", 0, 1},
    {&AnimationState::ball2DirY, "ball2DirY", 0, 1},
    // Scene 3: 11700 at a loop's start, down by 50 on 170 walking ticks to 3200.
    {&AnimationState::eurekaTick, "eurekaTick", 0, 290},
    {&AnimationState::walkerStep, "walkerStep", 0, 11},
    {&AnimationState::walkerX, "walkerX", 0, 11700},
    {&AnimationState::treeX, "treeX", 3000, 3000},
    // Scene 4: 63 walking ticks of 65, then 124 flying ticks of 55 across and 65 up.
    {&AnimationState::heavenTick, "heavenTick", 0, 210},
    {&AnimationState::coupleStep, "coupleStep", 0, 11},
    {&AnimationState::manX, "manX", 0, 12725},
    {&AnimationState::manY, "manY", -1860, 6200},
    {&AnimationState::womanX, "womanX", 0, 10915},
    {&AnimationState::womanY, "womanY", -3060, 6200},
    // Scene 5: 11500 at a loop's start, down by 65 on 136 walking ticks to 2660.
    {&AnimationState::deathTick, "deathTick", 0, 210},
    {&AnimationState::draggerStep, "draggerStep", 0, 11},
    {&AnimationState::draggerX, "draggerX", 0, 11500},
    {&AnimationState::draggerY, "draggerY", 0, 7200},
    {&AnimationState::reaperX, "reaperX", 0, 200},
    {&AnimationState::reaperY, "reaperY", 0, 7000},
    // Scene 6: the crosshair only moves towards an aim point from 500 to 10499 (5999
    // vertically) and rests below it plus 200, so it stays within its start range.
    {&AnimationState::sightTick, "sightTick", 0, 70},
    {&AnimationState::targetX, "targetX", 0, 9999},
    {&AnimationState::targetY, "targetY", 0, 5499},
    {&AnimationState::sightX, "sightX", 0, 10999},
    {&AnimationState::sightY, "sightY", 0, 8599},
    {&AnimationState::titleTick, "titleTick", 0, kTitleTickLimit},
    {&AnimationState::currentScene, "currentScene", 1, 6},
};
static_assert(std::size(kRanges) == std::size(kFields));

struct Options {
  long long ticks = kDefaultTicks;
  std::uint64_t seed = 0;
};

long long tick = 0;
std::uint64_t seed = 0;

[[noreturn]] void Violation(const std::string& what) {
  std::fprintf(stderr, "animatsiya-soak: tick %lld: %s (seed %llu)\n", tick, what.c_str(),
               static_cast<unsigned long long>(seed));
  std::exit(1);
}

[[noreturn]] void BadArguments(const std::string& what) {
  std::fprintf(stderr, "animatsiya-soak: %s (usage: animatsiya-soak [--ticks N] [--seed S])\n",
               what.c_str());
  std::exit(2);
}

template <typename T>
T ParseNumber(std::string_view name, std::string_view text) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) {
    BadArguments("bad value '" + std::string(text) + "' for " + std::string(name));
  }
  return value;
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  options.seed = std::random_device{}() ^
                 static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (i + 1 == argc) BadArguments("missing value for '" + std::string(arg) + "'");
    const std::string_view value = argv[++i];
    if (arg == "--ticks") {
      options.ticks = ParseNumber<long long>(arg, value);
      if (options.ticks < 1) BadArguments("--ticks must be at least 1");
    } else if (arg == "--seed") {
      options.seed = ParseNumber<std::uint64_t>(arg, value);
    } else {
      BadArguments("unknown option '" + std::string(arg) + "'");
    }
  }
  return options;
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  Violation("no VmRSS in /proc/self/status");
}

void CheckFields(const AnimationState& s) {
  for (const FieldRange& range : kRanges) {
    const int value = s.*range.member;
    if (value < range.min || value > range.max) {
      Violation(std::string("field ") + range.name + " = " + std::to_string(value) +
                " outside [" + std::to_string(range.min) + ", " + std::to_string(range.max) + "]");
    }
  }
}

void CheckSpriteSizes(const Stage& stage) {
  for (const DesignRow& row : kSpriteTable) {
    const Element& e = stage.element(row.id);
    if (!e.picture) continue;
    const PictureSize size = SizeOf(*e.picture);
    if (e.width != size.width * kTwipsPerPixel || e.height != size.height * kTwipsPerPixel) {
      Violation("sprite " + std::string(row.name) + " is " + std::to_string(e.width) + " x " +
                std::to_string(e.height) + " twips holding picture " +
                std::string(NameOf(*e.picture)) + " of " + std::to_string(size.width) + " x " +
                std::to_string(size.height) + " pixels");
    }
  }
}

// The shown picture against a full composition: equal everywhere, or, where lines may
// survive, equal except on pixels painted in the line colour.
void CheckPicture(const Stage& stage, bool linesAllowed, const char* when) {
  const Raster fresh = stage.ComposeFresh();
  const Raster& shown = stage.picture();
  for (int y = 0; y < fresh.height; ++y) {
    for (int x = 0; x < fresh.width; ++x) {
      const Pixel p = shown.at(x, y);
      if (p == fresh.at(x, y) || (linesAllowed && p == kLineColour)) continue;
      char message[160];
      std::snprintf(message, sizeof message,
                    "stage picture %s: pixel (%d, %d) is %08X, a full composition gives %08X",
                    when, x, y, p, fresh.at(x, y));
      Violation(message);
    }
  }
}

// Scenes 2, 3 and 4 neither draw nor clear lines, so the scene command's clear holds.
bool DrawsLines(int scene) { return scene == 1 || scene == 5 || scene == 6; }

}  // namespace
}  // namespace animatsiya

int main(int argc, char** argv) {
  using namespace animatsiya;
  const Options options = ParseOptions(argc, argv);
  seed = options.seed;
  std::printf("animatsiya-soak: seed %llu, %lld ticks\n", static_cast<unsigned long long>(seed),
              options.ticks);
  std::fflush(stdout);

  std::mt19937_64 commands(seed);
  const auto chance = [&](int oneIn) { return commands() % static_cast<unsigned>(oneIn) == 0; };
  const auto between = [&](int low, int high) {
    return low + static_cast<int>(commands() % static_cast<unsigned>(high - low + 1));
  };

  for (const FieldInfo& field : kFields) {
    if (std::none_of(std::begin(kRanges), std::end(kRanges),
                     [&](const FieldRange& r) { return r.member == field.member; })) {
      Violation(std::string("no range for field ") + field.name);
    }
  }

  Animation animation;
  animation.random().UseFixedSeed(seed);
  animation.Start();
  const AnimationState& s = animation.state();
  CheckFields(s);
  CheckSpriteSizes(animation.stage());

  // Runs of one scene: half of them short, to come back mid-loop often; the rest long
  // enough for whole loops. A long soak also holds titleTick at its limit for a while:
  // should the random runs leave it short, scene 6 runs until the end.
  const bool reachTitleLimit = options.ticks >= 2 * kTitleTickLimit;
  long long runLeft = 0;
  long long scenesChosen = 0;
  long long overflowsAtLimit = 0;
  long rssAtFirst = 0;
  int lastTitleTick = s.titleTick;
  for (tick = 1; tick <= options.ticks; ++tick) {
    if (runLeft == 0) {
      const long long ticksLeft = options.ticks - tick + 1;
      const bool lastChance =
          reachTitleLimit && ticksLeft <= kTitleTickLimit - s.titleTick + kComposeEvery;
      if (chance(4)) animation.ChooseSpeed(chance(2) ? Speed::Fast : Speed::Normal);
      animation.ChooseScene(lastChance ? 6 : between(1, 6));
      ++scenesChosen;
      CheckPicture(animation.stage(), false, "after a scene command");
      runLeft = lastChance ? ticksLeft : chance(2) ? between(1, 20) : between(1, 1000);
    }
    --runLeft;

    const std::uint64_t overflowsBefore = Int16::OverflowCount();
    const bool titleAtLimit = s.titleTick == kTitleTickLimit && s.currentScene == 6;
    animation.Tick();
    const std::uint64_t overflows = Int16::OverflowCount() - overflowsBefore;
    if (overflows > (titleAtLimit ? 1u : 0u)) {
      Violation(std::to_string(overflows) + " 16-bit overflow(s) in a step of scene " +
                std::to_string(s.currentScene) + " with titleTick " + std::to_string(s.titleTick));
    }
    overflowsAtLimit += static_cast<long long>(overflows);

    CheckFields(s);
    CheckSpriteSizes(animation.stage());
    if (s.titleTick < lastTitleTick) {
      Violation("titleTick went back from " + std::to_string(lastTitleTick) + " to " +
                std::to_string(s.titleTick));
    }
    lastTitleTick = s.titleTick;
    if (tick % kComposeEvery == 0) {
      CheckPicture(animation.stage(), DrawsLines(s.currentScene), "after a tick");
    }
    if (tick == kFirstRssTick) rssAtFirst = ResidentKb();
  }
  tick = options.ticks;

  std::printf("animatsiya-soak: %lld ticks, %lld scene commands, titleTick %d, %lld overflow(s) "
              "of titleTick at its limit\n",
              options.ticks, scenesChosen, static_cast<int>(s.titleTick), overflowsAtLimit);
  if (options.ticks >= kFirstRssTick) {
    const long rssAtEnd = ResidentKb();
    std::printf("animatsiya-soak: VmRSS %ld kB after %lld ticks, %ld kB after %lld ticks%s\n",
                rssAtFirst, kFirstRssTick, rssAtEnd, options.ticks,
                kChecksResidentMemory ? "" : " (not checked under AddressSanitizer)");
    if (kChecksResidentMemory && rssAtEnd - rssAtFirst > kRssSlackKb) {
      Violation("resident memory grew by " + std::to_string(rssAtEnd - rssAtFirst) +
                " kB since tick " + std::to_string(kFirstRssTick));
    }
  }
  std::printf("animatsiya-soak: all checks held\n");
  return 0;
}
