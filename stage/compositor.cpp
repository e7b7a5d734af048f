#include "stage/compositor.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>

namespace animatsiya {
namespace {

// The smallest rectangle that holds the spans of rows y to y + rows - 1; empty where
// they hold none.
Rect BandBox(const RowSpans& spans, int y, int rows) {
  int begin = kStageWidth;
  int end = 0;
  int top = kStageHeight;
  int bottom = 0;
  for (int row = y; row < std::min(y + rows, spans.bottom()); ++row) {
    if (spans.RowEmpty(row)) continue;
    begin = std::min(begin, spans.begin(row));
    end = std::max(end, spans.end(row));
    top = std::min(top, row);
    bottom = row + 1;
  }
  if (begin >= end) return {};
  return {begin, top, end - begin, bottom - top};
}

// Calls f with each run of columns that touch or overlap the one before them, in their
// order, as one rectangle.
template <typename F>
void ForEachColumnBlock(const std::vector<Rect>& columns, F f) {
  for (size_t i = 0; i < columns.size();) {
    Rect block = columns[i];
    for (++i; i < columns.size() && columns[i].x <= block.right() && columns[i].right() >= block.x;
         ++i) {
      block = BoundingBox(block, columns[i]);
    }
    f(block);
  }
}

// Rows of one colour to copy from: a copy runs at the speed of memory, where a fill of a
// four-byte value that is not one repeated byte is a loop of single stores unless the
// compiler vectorises it, which it does not at -O2.
using Row = std::array<Pixel, kStageWidth>;
Row RowOf(Pixel colour) {
  Row row;
  row.fill(colour);
  return row;
}
const Row kBackgroundRow = RowOf(kBackground);
const Row kLineRow = RowOf(kLineColour);

// Paints pixels x0..x1 of a row black. Short runs are stored one by one, since a call to
// copy costs more than a few stores.
inline void PaintSpan(Pixel* row, int x0, int x1) {
  constexpr int kShortRun = 16;
  if (x1 - x0 < kShortRun) {
    for (int x = x0; x <= x1; ++x) row[x] = kLineColour;
  } else {
    std::copy(kLineRow.begin() + x0, kLineRow.begin() + x1 + 1, row + x0);
  }
}

}  // namespace

Compositor::Compositor() : picture_(kStageWidth, kStageHeight, kBackground) {}

void Compositor::ComposeInto(Raster& target, const Rect& r) const {
  // Each pixel is written once, from the frontmost layer that covers it or else the
  // background, rather than filled and then overdrawn back to front: the first tick of a
  // scene hides many large sprites, and their rectangles overlap.
  // The visible layers' parts of r, front first. Plain structs, so that the arrays are not
  // cleared on every call: composing after a tick is many small calls.
  struct Part {
    int x0;
    int y0;
    int x1;
    int y1;
  };
  std::array<Part, kLayerCount> parts;
  std::array<const Layer*, kLayerCount> sources;
  std::array<int, 2 * kLayerCount + 2> edges;  // rows where the layers reaching in change
  int count = 0;
  int edgeCount = 0;
  edges[edgeCount++] = r.y;
  edges[edgeCount++] = r.bottom();
  for (int i = kLayerCount - 1; i >= 0; --i) {
    const Layer& layer = layers_[i];
    if (layer.raster == nullptr) continue;
    const Rect part = Intersect(layer.rect, r);
    if (part.empty()) continue;
    parts[count] = {part.x, part.y, part.right(), part.bottom()};
    sources[count] = &layer;
    ++count;
    edges[edgeCount++] = part.y;
    edges[edgeCount++] = part.bottom();
    // Pictures are opaque: nothing behind a layer that covers all of r is seen.
    if (part == r) break;
  }
  std::sort(edges.begin(), edges.begin() + edgeCount);
  edgeCount = static_cast<int>(std::unique(edges.begin(), edges.begin() + edgeCount) - edges.begin());

  // Within a band of rows the same layers reach in, so the row is cut into the same runs.
  struct Run {
    int x0;
    int x1;
    int layer;  // index into parts, or -1 for the background
  };
  std::array<Run, 2 * kLayerCount + 1> runs;
  struct Span {
    int begin;
    int end;
  };
  std::array<Span, kLayerCount + 1> covered;  // sorted, disjoint
  for (int b = 0; b + 1 < edgeCount; ++b) {
    const int top = edges[b];
    const int bottom = edges[b + 1];
    int runCount = 0;
    int coveredCount = 0;
    for (int k = 0; k < count; ++k) {
      const Part& part = parts[k];
      if (part.y0 > top || part.y1 < bottom) continue;
      // The stretches of this layer that no layer in front of it covers.
      int x = part.x0;
      for (int at = 0; at < coveredCount && x < part.x1; ++at) {
        const Span span = covered[at];
        if (span.end <= x) continue;
        if (span.begin >= part.x1) break;
        if (span.begin > x) runs[runCount++] = {x, span.begin, k};
        x = std::max(x, span.end);
      }
      if (x < part.x1) runs[runCount++] = {x, part.x1, k};
      // Merge the layer's span into the covered spans.
      int begin = part.x0;
      int end = part.x1;
      int first = 0;
      while (first < coveredCount && covered[first].end < begin) ++first;
      int last = first;
      while (last < coveredCount && covered[last].begin <= end) {
        begin = std::min(begin, covered[last].begin);
        end = std::max(end, covered[last].end);
        ++last;
      }
      const int removed = last - first;
      if (removed == 0) {
        std::copy_backward(covered.begin() + first, covered.begin() + coveredCount,
                           covered.begin() + coveredCount + 1);
        ++coveredCount;
      } else if (removed > 1) {
        std::copy(covered.begin() + last, covered.begin() + coveredCount,
                  covered.begin() + first + 1);
        coveredCount -= removed - 1;
      }
      covered[first] = {begin, end};
      if (coveredCount == 1 && begin <= r.x && end >= r.right()) break;
    }
    int x = r.x;
    for (int at = 0; at < coveredCount; ++at) {
      if (covered[at].begin > x) runs[runCount++] = {x, covered[at].begin, -1};
      x = covered[at].end;
    }
    if (x < r.right()) runs[runCount++] = {x, r.right(), -1};

    for (int y = top; y < bottom; ++y) {
      Pixel* row = &target.at(0, y);
      for (int n = 0; n < runCount; ++n) {
        const Run& run = runs[n];
        const Pixel* from = kBackgroundRow.data() + run.x0;
        if (run.layer >= 0) {
          const Layer& layer = *sources[run.layer];
          from = layer.raster->row(y - layer.rect.y) + (run.x0 - layer.rect.x);
        }
        std::copy(from, from + (run.x1 - run.x0), row + run.x0);
      }
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
  // Neighbouring bands with the same runs are composed as one: two rectangles side by side
  // but not level would otherwise cut each other into several thin bands.
  std::vector<std::pair<int, int>>& merged = mergedRuns_;
  std::vector<std::pair<int, int>>& growing = growingRuns_;
  growing.clear();
  int growingTop = 0;
  int growingBottom = 0;
  const auto composeGrowing = [&] {
    for (const auto& [begin, end] : growing) {
      Compose({begin, growingTop, end - begin, growingBottom - growingTop});
    }
  };
  for (size_t b = 0; b + 1 < edges.size(); ++b) {
    const int top = edges[b];
    const int bottom = edges[b + 1];
    runs.clear();
    for (const Rect& r : rects) {
      if (!r.empty() && r.y <= top && r.bottom() >= bottom) runs.push_back({r.x, r.right()});
    }
    std::sort(runs.begin(), runs.end());
    merged.clear();
    for (size_t i = 0; i < runs.size();) {
      int begin = runs[i].first;
      int end = runs[i].second;
      for (++i; i < runs.size() && runs[i].first <= end; ++i) end = std::max(end, runs[i].second);
      merged.push_back({begin, end});
    }
    if (merged == growing && growingBottom == top) {
      growingBottom = bottom;
      continue;
    }
    composeGrowing();
    growing.swap(merged);
    growingTop = top;
    growingBottom = bottom;
  }
  composeGrowing();
}

void Compositor::WipeLines() {
  // Composing more than the painted pixels is harmless here, since everywhere else the
  // picture already is the composition: neighbouring columns are composed as one
  // rectangle, and rows in bands over the widest span of their rows, far fewer stretches
  // than one per row.
  std::sort(paintedColumns_.begin(), paintedColumns_.end(),
            [](const Rect& a, const Rect& b) { return a.x < b.x; });
  ForEachColumnBlock(paintedColumns_, [this](const Rect& block) {
    ComposeInto(picture_, block);
    damage_.AddRect(block);
  });
  paintedColumns_.clear();
  freshColumnsFrom_ = 0;

  constexpr int kBand = 16;
  for (int y = painted_.top(); y < painted_.bottom(); y += kBand) {
    const Rect band = BandBox(painted_, y, kBand);
    if (band.empty()) continue;
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
  PaintSpan(&picture_.at(0, y), x0, x1);
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
  // Most repeats repeat the line just drawn.
  if (!linesSinceCompose_.empty() && linesSinceCompose_.back() == key) return;
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
    const auto paint = [&](int from, int to) {
      for (int y = from; y < to; ++y) picture_.at(x1, y) = kLineColour;
    };
    // The crosshair's columns come in runs that differ by a row or two at their ends: a
    // column that meets one painted since the last composition paints only its new rows.
    for (size_t i = freshColumnsFrom_; i < paintedColumns_.size(); ++i) {
      Rect& fresh = paintedColumns_[i];
      if (fresh.x != column.x || column.y > fresh.bottom() || column.bottom() < fresh.y) continue;
      paint(column.y, std::min(fresh.y, column.bottom()));
      paint(std::max(fresh.bottom(), column.y), column.bottom());
      fresh = BoundingBox(fresh, column);
      return;
    }
    paint(column.y, column.bottom());
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
  const auto inside = [](int px, int py) {
    return px >= 0 && px < kStageWidth && py >= 0 && py < kStageHeight;
  };
  if (inside(x1, y1) && inside(x2, y2)) {
    // Every pixel is on the stage: nothing to clip, and the row is followed by a pointer.
    // The beams are such lines, hundreds of rows long.
    Pixel* row = &picture_.at(0, y1);
    const std::ptrdiff_t rowStep = sy * static_cast<std::ptrdiff_t>(kStageWidth);
    painted_.AddRun(y1, x1, x1 + 1);
    painted_.AddRun(y2, x2, x2 + 1);
    if (-dy >= dx) {
      // A steep line steps to the next row on every step, so each row holds one pixel;
      // whether it also steps sideways follows the slope, which a branch predictor cannot
      // follow, so it is computed without a branch.
      while (true) {
        row[x] = kLineColour;
        painted_.WidenRow(y, x, x + 1);
        if (y == y2) return;
        const bool sideways = 2 * error >= dy;
        error += (sideways ? dy : 0) + dx;
        x += sideways ? sx : 0;
        y += sy;
        row += rowStep;
      }
    }
    const int fall = -dy;
    if (dx < 3 * fall) {
      // A shallow line near the diagonal has rows of one to three pixels: it steps
      // sideways on every step and to the next row as the slope has it, without a branch,
      // and marks its pixels painted one at a time.
      while (true) {
        row[x] = kLineColour;
        painted_.WidenRow(y, x, x + 1);
        if (x == x2) return;
        const bool down = 2 * error <= dx;
        error += dy + (down ? dx : 0);
        x += sx;
        y += down ? sy : 0;
        row += down ? rowStep : 0;
      }
    }
    // A flatter line has longer rows. A row's pixels go on while twice the error stays
    // above dx, the error falling by -dy a pixel, so their number is worked out once per
    // row and the row painted as one run.
    while (true) {
      const int twice = 2 * error;
      const int more = twice > dx ? (twice - dx + 2 * fall - 1) / (2 * fall) : 0;
      const int left = sx > 0 ? x2 - x : x - x2;  // pixels after x up to the end point
      const int last = x + sx * std::min(more, left);
      PaintSpan(row, std::min(x, last), std::max(x, last));
      painted_.WidenRow(y, std::min(x, last), std::max(x, last) + 1);
      if (more >= left) return;
      error += dx - (more + 1) * fall;
      x = last + sx;
      y += sy;
      row += rowStep;
    }
  }
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
  // A beam's rows each have a span of their own, and every span would become a rectangle
  // that the window presents on its own; a band of rows is given its widest span instead,
  // a few more pixels in far fewer rectangles.
  constexpr int kBand = 8;
  for (int y = painted_.top(); y < painted_.bottom(); y += kBand) {
    const Rect band = BandBox(painted_, y, kBand);
    if (!band.empty()) taken.AddRect(band);
  }
  // The crosshair's columns stand side by side: each run of neighbours is added as one
  // rectangle, a few rows more than painted at most.
  ForEachColumnBlock(paintedColumns_, [&taken](const Rect& block) { taken.AddRect(block); });
  damage_.Clear();
  return taken;
}

}  // namespace animatsiya
