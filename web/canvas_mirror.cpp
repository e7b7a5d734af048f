#include "web/canvas_mirror.h"

namespace animatsiya {
namespace {

// What one more putImageData call is worth in pixels: below this much waste, neighbouring
// rows go out in one rectangle.
constexpr long kPixelsPerCall = 1024;

// 0xAARRGGBB to the bytes R, G, B, A, read back as a little-endian word.
constexpr std::uint32_t ToCanvas(Pixel p) {
  return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
}

}  // namespace

CanvasMirror::CanvasMirror(const Raster& picture)
    : picture_(picture), rgba_(picture.pixels.size()) {
  for (int y = 0; y < picture.height; ++y) ConvertRun(y, 0, picture.width);
}

void CanvasMirror::ConvertRun(int y, int begin, int end) {
  const Pixel* from = picture_.row(y);
  std::uint32_t* to = rgba_.data() + static_cast<size_t>(y) * picture_.width;
  for (int x = begin; x < end; ++x) to[x] = ToCanvas(from[x]);
}

const std::vector<Rect>& CanvasMirror::Update(const RowSpans& damage) {
  rects_.clear();
  long covered = 0;  // damaged pixels inside the last rectangle
  for (int y = damage.top(); y < damage.bottom(); ++y) {
    if (damage.RowEmpty(y)) continue;
    const int begin = damage.begin(y), end = damage.end(y);
    ConvertRun(y, begin, end);
    const Rect row{begin, y, end - begin, 1};
    if (!rects_.empty() && rects_.back().bottom() == y) {
      const Rect merged = BoundingBox(rects_.back(), row);
      // Pixels outside the damage are put as they stand: the mirror is current everywhere.
      if (merged.area() - (covered + row.area()) <= (covered + row.area()) / 4 + kPixelsPerCall) {
        rects_.back() = merged;
        covered += row.area();
        continue;
      }
    }
    rects_.push_back(row);
    covered = row.area();
  }
  return rects_;
}

}  // namespace animatsiya
