#include "app/icon_raster.h"

#include <algorithm>
#include <vector>

#include "pictures/picture_set.h"

namespace animatsiya {
namespace {

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The picture has empty grey rows above and below the UFO; the icon centres the figure.
Box FigureBox(const Raster& picture) {
  int left = picture.width, top = picture.height, right = -1, bottom = -1;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.at(x, y) == kBackground) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

// Grey that reaches the edge of the box is sky; grey walled in by the hull is a porthole.
std::vector<bool> SkyMask(const Raster& picture, const Box& box) {
  std::vector<bool> sky(static_cast<size_t>(box.width) * box.height, false);
  std::vector<int> pending;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= box.width || y >= box.height) return;
    const size_t i = static_cast<size_t>(y) * box.width + x;
    if (sky[i] || picture.at(box.left + x, box.top + y) != kBackground) return;
    sky[i] = true;
    pending.push_back(static_cast<int>(i));
  };
  for (int x = 0; x < box.width; ++x) {
    visit(x, 0);
    visit(x, box.height - 1);
  }
  for (int y = 0; y < box.height; ++y) {
    visit(0, y);
    visit(box.width - 1, y);
  }
  while (!pending.empty()) {
    const int i = pending.back();
    pending.pop_back();
    const int x = i % box.width, y = i / box.width;
    visit(x - 1, y);
    visit(x + 1, y);
    visit(x, y - 1);
    visit(x, y + 1);
  }
  return sky;
}

}  // namespace

std::optional<Raster> AppIconRaster(int size) {
  const Raster& ufo = *GetPicture(PictureId::Image1).raster;
  const Box box = FigureBox(ufo);
  const int scale = std::min(size / box.width, size / box.height);
  if (scale < 1) return std::nullopt;
  const std::vector<bool> sky = SkyMask(ufo, box);

  Raster icon(size, size, 0);
  const int left = (size - box.width * scale) / 2;
  const int top = (size - box.height * scale) / 2;
  for (int y = 0; y < box.height; ++y) {
    for (int x = 0; x < box.width; ++x) {
      if (sky[static_cast<size_t>(y) * box.width + x]) continue;
      const Pixel colour = ufo.at(box.left + x, box.top + y);
      for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) icon.at(left + x * scale + dx, top + y * scale + dy) = colour;
      }
    }
  }
  return icon;
}

}  // namespace animatsiya
