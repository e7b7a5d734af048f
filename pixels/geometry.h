#pragma once

#include <algorithm>

namespace animatsiya {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kStageWidthTwips = 11595;
inline constexpr int kStageHeightTwips = 8760;
inline constexpr int kStageWidth = kStageWidthTwips / kTwipsPerPixel;    // 773 pixels
inline constexpr int kStageHeight = kStageHeightTwips / kTwipsPerPixel;  // 584 pixels

// Twips to pixels, rounding down also for negative positions, so that a sprite half a
// pixel above the stage starts one row above it.
constexpr int TwipsToPixel(int twips) {
  return twips >= 0 ? twips / kTwipsPerPixel : -((-twips + kTwipsPerPixel - 1) / kTwipsPerPixel);
}

// A rectangle in pixels; empty when either size is not positive.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  constexpr bool empty() const { return width <= 0 || height <= 0; }
  constexpr int right() const { return x + width; }    // one past the last column
  constexpr int bottom() const { return y + height; }  // one past the last row
  constexpr long area() const { return empty() ? 0 : static_cast<long>(width) * height; }
  // Whether o lies wholly inside this rectangle.
  constexpr bool Contains(const Rect& o) const {
    return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect Intersect(const Rect& a, const Rect& b) {
  const int x0 = std::max(a.x, b.x);
  const int y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.right(), b.right());
  const int y1 = std::min(a.bottom(), b.bottom());
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

constexpr Rect BoundingBox(const Rect& a, const Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int x0 = std::min(a.x, b.x);
  const int y0 = std::min(a.y, b.y);
  return {x0, y0, std::max(a.right(), b.right()) - x0, std::max(a.bottom(), b.bottom()) - y0};
}

inline constexpr Rect kStageRect{0, 0, kStageWidth, kStageHeight};

}  // namespace animatsiya
