#pragma once

#include <cstdint>
#include <vector>

namespace animatsiya {

// Pixels as 0xFFRRGGBB, the layout that the window's image format uses directly, so
// pictures, the caption and the stage picture are copied without any conversion.
using Pixel = std::uint32_t;

constexpr Pixel Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) |
         static_cast<Pixel>(b);
}

inline constexpr Pixel kBackground = Rgb(192, 192, 192);
inline constexpr Pixel kLineColour = Rgb(0, 0, 0);

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row by row from the top

  Raster() = default;
  Raster(int w, int h, Pixel fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

  Pixel& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  Pixel at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  const Pixel* row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

}  // namespace animatsiya
