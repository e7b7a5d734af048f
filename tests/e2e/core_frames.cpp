#include "tests/e2e/core_frames.h"

#include <algorithm>
#include <limits>

#include "app/animation.h"
#include "pixels/geometry.h"

namespace animatsiya::e2e {
namespace {

// Long enough for every combination of a loop's tick and the walker's pose: the eureka
// loop runs 291 ticks and the pose cycle 12.
constexpr int kTicks = 1200;

std::uint64_t Hash(const Pixel* pixels, size_t count) {
  std::uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < count; ++i) {
    h = (h ^ (pixels[i] | 0xFF000000u)) * 1099511628211ull;
  }
  return h;
}

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

std::uint64_t Hash(const QImage& stage) {
  const QImage image = Rgb32(stage);
  std::uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const Pixel*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) h = (h ^ (line[x] | 0xFF000000u)) * 1099511628211ull;
  }
  return h;
}

}  // namespace

template <typename Visit>
void CoreFrames::Walk(Visit&& visit) const {
  Animation run;
  run.random().UseFixedSeed(1);
  run.Start();
  run.ChooseScene(scene_);
  for (int tick = 0; tick < kTicks; ++tick) {
    run.Tick();
    visit(run.stage().picture());
  }
}

CoreFrames::CoreFrames(int scene) : scene_(scene) {
  Walk([this](const Raster& picture) { hashes_.insert(Hash(picture.pixels.data(), picture.pixels.size())); });
}

bool CoreFrames::Contains(const QImage& stage) const {
  return stage.size() == QSize(kStageWidth, kStageHeight) && hashes_.count(Hash(stage)) != 0;
}

long CoreFrames::Closest(const QImage& stage) const {
  const QImage image = Rgb32(stage);
  if (image.size() != QSize(kStageWidth, kStageHeight)) return -1;
  long best = std::numeric_limits<long>::max();
  Walk([&](const Raster& picture) {
    long differing = 0;
    for (int y = 0; y < kStageHeight && differing < best; ++y) {
      const auto* line = reinterpret_cast<const Pixel*>(image.constScanLine(y));
      for (int x = 0; x < kStageWidth; ++x) differing += (line[x] | 0xFF000000u) != picture.at(x, y);
    }
    best = std::min(best, differing);
  });
  return best;
}

}  // namespace animatsiya::e2e
