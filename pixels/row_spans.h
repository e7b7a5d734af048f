#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "pixels/geometry.h"

namespace animatsiya {

// A set of stage pixels kept as one span [begin, end) per pixel row: cheap to grow one
// pixel or one rectangle at a time, and exact for the thin diagonals that beams paint,
// whose bounding box would be most of the stage.
class RowSpans {
 public:
  RowSpans() { Clear(); }

  void Clear() {
    begin_.fill(kStageWidth);
    end_.fill(0);
    top_ = kStageHeight;
    bottom_ = 0;
  }

  bool empty() const { return top_ >= bottom_; }
  int top() const { return top_; }        // first row with a span
  int bottom() const { return bottom_; }  // one past the last row with a span
  int begin(int row) const { return begin_[row]; }
  int end(int row) const { return end_[row]; }
  bool RowEmpty(int row) const { return begin_[row] >= end_[row]; }

  // Pixels [begin, end) of row y, which must lie on the stage.
  void AddRun(int y, int begin, int end) {
    begin_[y] = std::min<int>(begin_[y], begin);
    end_[y] = std::max<int>(end_[y], end);
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y + 1);
  }

  // As AddRun, for a row between rows already added: a line adds its end points first and
  // then widens the rows between, sparing the bounds on every pixel.
  void WidenRow(int y, int begin, int end) {
    begin_[y] = std::min<int>(begin_[y], begin);
    end_[y] = std::max<int>(end_[y], end);
  }

  // r must lie on the stage and not be empty.
  void AddRect(const Rect& r) {
    for (int y = r.y; y < r.bottom(); ++y) {
      begin_[y] = std::min<int>(begin_[y], r.x);
      end_[y] = std::max<int>(end_[y], r.right());
    }
    top_ = std::min(top_, r.y);
    bottom_ = std::max(bottom_, r.bottom());
  }

  void ClearRow(int row) {
    begin_[row] = kStageWidth;
    end_[row] = 0;
  }

  // The spans as rectangles: runs of rows with the same span become one rectangle.
  std::vector<Rect> ToRects() const {
    std::vector<Rect> rects;
    for (int y = top_; y < bottom_; ++y) {
      if (RowEmpty(y)) continue;
      Rect* last = rects.empty() ? nullptr : &rects.back();
      if (last != nullptr && last->bottom() == y && last->x == begin_[y] &&
          last->right() == end_[y]) {
        ++last->height;
      } else {
        rects.push_back({begin_[y], y, end_[y] - begin_[y], 1});
      }
    }
    return rects;
  }

 private:
  std::array<short, kStageHeight> begin_;
  std::array<short, kStageHeight> end_;
  int top_;
  int bottom_;
};

}  // namespace animatsiya
