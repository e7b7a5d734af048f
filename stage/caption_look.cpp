#include "stage/caption_look.h"

#include <algorithm>

#include "pixels/caption_font.h"

namespace animatsiya {

void DrawCaption(std::string_view utf8Text, Raster& raster) {
  std::fill(raster.pixels.begin(), raster.pixels.end(), kBackground);
  DrawText(raster, {0, 0, raster.width, raster.height}, 0, 0, utf8Text, Rgb(0, 0, 0));
}

}  // namespace animatsiya
