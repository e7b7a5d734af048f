#pragma once

#include <string_view>

#include "pixels/raster.h"

namespace animatsiya {

inline constexpr int kCaptionWidth = 385;  // pixels
inline constexpr int kCaptionHeight = 41;  // pixels

// Draws the caption label's look for a text into a kCaptionWidth x kCaptionHeight raster:
// the whole rectangle in the background grey, then the text in black in the built-in
// caption font from the top-left corner, clipped.
void DrawCaption(std::string_view utf8Text, Raster& raster);

}  // namespace animatsiya
