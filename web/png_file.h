#pragma once

#include <string>

#include "pixels/raster.h"

namespace animatsiya {

// A raster of 0xAARRGGBB pixels as the bytes of a PNG file with an alpha channel. The data
// goes in stored (uncompressed) blocks: the files are small and a server gzips them.
std::string EncodePng(const Raster& raster);

}  // namespace animatsiya
