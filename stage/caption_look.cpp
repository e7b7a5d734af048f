#include "stage/caption_look.h"

#include <algorithm>
#include <cstddef>

#include "pixels/caption_font.h"

namespace animatsiya {

void DrawCaption(std::string_view utf8Text, Raster& raster) {
  // One row is filled and copied to the rest: a copy runs at memory speed, where a fill
  // of a four-byte value is a loop of single stores.
  const auto first = raster.pixels.begin();
  std::fill(first, first + raster.width, kBackground);
  for (int y = 1; y < raster.height; ++y) {
    std::copy(first, first + raster.width, first + static_cast<std::ptrdiff_t>(y) * raster.width);
  }
  DrawText(raster, {0, 0, raster.width, raster.height}, 0, 0, utf8Text, Rgb(0, 0, 0));
}

}  // namespace animatsiya
