#include "stage/compositor.h"

#include <algorithm>
#include <cstdlib>

namespace animatsiya {

Compositor::Compositor() : picture_(kStageWidth, kStageHeight, kBackground) {}

void Compositor::ComposeInto(Raster& target, const Rect& r) const {
  for (int y = r.y; y < r.bottom(); ++y) {
    std::fill_n(&target.at(r.x, y), r.width, kBackground);
  }
  for (const Layer& layer : layers_) {
    if (layer.raster == nullptr) continue;
    const Rect part = Intersect(layer.rect, r);
    if (part.empty()) continue;
    const Raster& source = *layer.raster;
    for (int y = part.y; y < part.bottom(); ++y) {
      const Pixel* from = source.row(y - layer.rect.y) + (part.x - layer.rect.x);
      std::copy_n(from, part.width, &target.at(part.x, y));
    }
  }
}

void Compositor::Compose(const Rect& r) {
  const Rect clipped = Intersect(r, kStageRect);
  if (clipped.empty()) return;
  ComposeInto(picture_, clipped);
  ForgetPaint(clipped);
  damage_.AddRect(clipped);
  linesSinceCompose_.clear();
}

// Lines painted inside a freshly composed rectangle are gone; trims the painted spans.
void Compositor::ForgetPaint(const Rect& r) {
  const int y0 = std::max(r.y, painted_.top());
  const int y1 = std::min(r.bottom(), painted_.bottom());
  for (int y = y0; y < y1; ++y) {
    if (painted_.RowEmpty(y)) continue;
    int begin = painted_.begin(y);
    int end = painted_.end(y);
    if (r.x <= begin && r.right() >= end) {
      painted_.ClearRow(y);
      continue;
    }
    if (r.x <= begin && r.right() > begin) begin = r.right();
    if (r.right() >= end && r.x < end) end = r.x;
    painted_.ClearRow(y);
    painted_.AddPixel(begin, y);
    painted_.AddPixel(end - 1, y);
  }
}

void Compositor::WipeLines() {
  if (!painted_.empty()) {
    for (int y = painted_.top(); y < painted_.bottom(); ++y) {
      if (painted_.RowEmpty(y)) continue;
      const Rect row{painted_.begin(y), y, painted_.end(y) - painted_.begin(y), 1};
      ComposeInto(picture_, row);
      damage_.AddRect(row);
    }
    painted_.Clear();
  }
  linesSinceCompose_.clear();
}

void Compositor::Paint(int x, int y) {
  if (x < 0 || y < 0 || x >= kStageWidth || y >= kStageHeight) return;
  picture_.at(x, y) = kLineColour;
  painted_.AddPixel(x, y);
  damage_.AddPixel(x, y);
}

void Compositor::DrawLine(int x1, int y1, int x2, int y2) {
  const std::array<int, 4> key{x1, y1, x2, y2};
  if (std::find(linesSinceCompose_.begin(), linesSinceCompose_.end(), key) !=
      linesSinceCompose_.end()) {
    return;
  }
  linesSinceCompose_.push_back(key);
  // Bresenham's line, both end points included.
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1;
  int y = y1;
  for (;;) {
    Paint(x, y);
    if (x == x2 && y == y2) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

Raster Compositor::ComposeFresh() const {
  Raster fresh(kStageWidth, kStageHeight, kBackground);
  ComposeInto(fresh, kStageRect);
  return fresh;
}

RowSpans Compositor::TakeDamage() {
  RowSpans taken = damage_;
  damage_.Clear();
  return taken;
}

}  // namespace animatsiya
