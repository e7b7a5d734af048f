#pragma once

#include <string_view>

#include "pixels/geometry.h"
#include "pixels/raster.h"

namespace animatsiya {

// One line of UTF-8 text in the built-in caption font: Latin and Cyrillic letters, digits
// and punctuation drawn from Liberation Sans Bold at 18 pixels, one bit a pixel. A
// character the font lacks, or a byte that is not UTF-8, draws nothing and takes no room.

// How far the pen moves across the text, kerning included.
int TextAdvance(std::string_view utf8);

// Sets the text's ink pixels to colour, the top of the line at row y and the pen starting
// at column x; nothing outside clip or the raster is touched.
void DrawText(Raster& raster, const Rect& clip, int x, int y, std::string_view utf8, Pixel colour);

}  // namespace animatsiya
