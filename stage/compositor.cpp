#include "stage/compositor.h"

#include <algorithm>
#include <cstdlib>

namespace animatsiya {

Compositor::Compositor() : picture_(kStageWidth, kStageHeight, kBackground) {}

void Compositor::ComposeInto(Raster& target, const Rect& r) const {
  // Pictures are opaque: a layer that covers all of r hides the background and every
  // layer behind it, so composing starts there.
  int first = kLayerCount - 1;
  while (first >= 0 && (layers_[first].raster == nullptr || !layers_[first].rect.Contains(r))) {
    --first;
  }
  if (first < 0) {
    for (int y = r.y; y < r.bottom(); ++y) std::fill_n(&target.at(r.x, y), r.width, kBackground);
  }
  for (int i = std::max(first, 0); i < kLayerCount; ++i) {
    const Layer& layer = layers_[i];
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
  freshColumnsFrom_ = paintedColumns_.size();
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
    painted_.AddRun(y, begin, end);
  }
}

void Compositor::ComposeUnion(const std::vector<Rect>& rects) {
  if (rects.size() == 1) {
    Compose(rects[0]);
    return;
  }
  // Cut the union into bands between the rectangles' top and bottom edges; within a band
  // each run of overlapping rectangles is composed once, and nothing outside the union.
  std::vector<int>& edges = edges_;
  std::vector<std::pair<int, int>>& runs = runs_;
  edges.clear();
  for (const Rect& r : rects) {
    edges.push_back(r.y);
    edges.push_back(r.bottom());
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  for (size_t b = 0; b + 1 < edges.size(); ++b) {
    const int top = edges[b];
    const int bottom = edges[b + 1];
    runs.clear();
    for (const Rect& r : rects) {
      if (!r.empty() && r.y <= top && r.bottom() >= bottom) runs.push_back({r.x, r.right()});
    }
    std::sort(runs.begin(), runs.end());
    for (size_t i = 0; i < runs.size();) {
      int begin = runs[i].first;
      int end = runs[i].second;
      for (++i; i < runs.size() && runs[i].first <= end; ++i) end = std::max(end, runs[i].second);
      Compose({begin, top, end - begin, bottom - top});
    }
  }
}

void Compositor::WipeLines() {
  // Composing more than the painted pixels is harmless here, since everywhere else the
  // picture already is the composition: neighbouring columns are composed as one
  // rectangle, and rows in bands over the widest span of their rows, far fewer stretches
  // than one per row.
  std::sort(paintedColumns_.begin(), paintedColumns_.end(),
            [](const Rect& a, const Rect& b) { return a.x < b.x; });
  for (size_t i = 0; i < paintedColumns_.size();) {
    Rect block = paintedColumns_[i];
    for (++i; i < paintedColumns_.size() && paintedColumns_[i].x <= block.right(); ++i) {
      block = BoundingBox(block, paintedColumns_[i]);
    }
    ComposeInto(picture_, block);
    damage_.AddRect(block);
  }
  paintedColumns_.clear();
  freshColumnsFrom_ = 0;

  constexpr int kBand = 16;
  for (int y = painted_.top(); y < painted_.bottom(); y += kBand) {
    int begin = kStageWidth;
    int end = 0;
    int top = kStageHeight;
    int bottom = 0;
    for (int row = y; row < std::min(y + kBand, painted_.bottom()); ++row) {
      if (painted_.RowEmpty(row)) continue;
      begin = std::min(begin, painted_.begin(row));
      end = std::max(end, painted_.end(row));
      top = std::min(top, row);
      bottom = row + 1;
    }
    if (begin >= end) continue;
    const Rect band{begin, top, end - begin, bottom - top};
    ComposeInto(picture_, band);
    damage_.AddRect(band);
  }
  painted_.Clear();
  linesSinceCompose_.clear();
}

void Compositor::PaintRun(int y, int x0, int x1) {
  if (y < 0 || y >= kStageHeight) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, kStageWidth - 1);
  if (x0 > x1) return;
  std::fill_n(&picture_.at(x0, y), x1 - x0 + 1, kLineColour);
  painted_.AddRun(y, x0, x1 + 1);
}

void Compositor::DrawLine(int x1, int y1, int x2, int y2) {
  if (std::max(x1, x2) < 0 || std::min(x1, x2) >= kStageWidth || std::max(y1, y2) < 0 ||
      std::min(y1, y2) >= kStageHeight) {
    return;
  }
  // Every end point that can reach here lies within 16 bits of the stage.
  const auto bits = [](int v) { return static_cast<std::uint64_t>(static_cast<std::uint16_t>(v)); };
  const std::uint64_t key = bits(x1) << 48 | bits(y1) << 32 | bits(x2) << 16 | bits(y2);
  if (std::find(linesSinceCompose_.begin(), linesSinceCompose_.end(), key) !=
      linesSinceCompose_.end()) {
    return;
  }
  linesSinceCompose_.push_back(key);
  // The crosshair's lines are straight along a row or a column: painted directly.
  if (y1 == y2) {
    PaintRun(y1, std::min(x1, x2), std::max(x1, x2));
    return;
  }
  if (x1 == x2) {
    const Rect column = Intersect({x1, std::min(y1, y2), 1, std::abs(y2 - y1) + 1}, kStageRect);
    for (size_t i = freshColumnsFrom_; i < paintedColumns_.size(); ++i) {
      if (paintedColumns_[i].Contains(column)) return;
    }
    for (int y = column.y; y < column.bottom(); ++y) picture_.at(x1, y) = kLineColour;
    paintedColumns_.push_back(column);
    return;
  }
  // Bresenham's line, both end points included, painted as one horizontal run per row.
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1;
  int y = y1;
  int runStart = x1;
  while (x != x2 || y != y2) {
    const int twice = 2 * error;
    const int rowX = x;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      PaintRun(y, std::min(runStart, rowX), std::max(runStart, rowX));
      y += sy;
      runStart = x;
    }
  }
  PaintRun(y, std::min(runStart, x), std::max(runStart, x));
}

bool Compositor::HasLinesIn(const Rect& r) const {
  for (const Rect& column : paintedColumns_) {
    if (!Intersect(column, r).empty()) return true;
  }
  const int y0 = std::max(r.y, painted_.top());
  const int y1 = std::min(r.bottom(), painted_.bottom());
  for (int y = y0; y < y1; ++y) {
    if (painted_.begin(y) < r.right() && painted_.end(y) > r.x) return true;
  }
  return false;
}

Raster Compositor::ComposeFresh() const {
  Raster fresh(kStageWidth, kStageHeight, kBackground);
  ComposeInto(fresh, kStageRect);
  return fresh;
}

RowSpans Compositor::TakeDamage() {
  // Lines still standing are damage too; those already wiped were damaged by the
  // composition that wiped them. A line from before the last call counts again, which
  // costs a present of a few unchanged pixels and saves work on every line drawn.
  RowSpans taken = damage_;
  for (int y = painted_.top(); y < painted_.bottom(); ++y) {
    if (!painted_.RowEmpty(y)) taken.AddRun(y, painted_.begin(y), painted_.end(y));
  }
  for (const Rect& column : paintedColumns_) taken.AddRect(column);
  damage_.Clear();
  return taken;
}

}  // namespace animatsiya
