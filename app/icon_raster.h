#pragma once

#include <optional>

#include "pixels/raster.h"

namespace animatsiya {

// The program's icon: the UFO picture trimmed to its figure, enlarged by the largest whole
// factor that fits a square of `size` pixels, and centred. Pixels are 0xAARRGGBB: the grey
// around the UFO is transparent (0), the grey of its portholes stays. Nothing when the UFO
// does not fit at 1x. The window, the installed icons and the web page's favicon all
// draw it from here.
std::optional<Raster> AppIconRaster(int size);

}  // namespace animatsiya
