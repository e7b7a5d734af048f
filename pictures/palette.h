#pragma once

#include <span>

#include "pixels/raster.h"

namespace animatsiya {

// One colour of the picture set: the letter that stands for it in pictures/art, its
// pixel and its name. The table is made from pictures/palette.txt at build time; the
// first entry is the background grey.
struct PaletteColour {
  char letter;
  Pixel pixel;
  const char* name;
};

extern const PaletteColour kPalette[];
extern const int kPaletteSize;

inline std::span<const PaletteColour> Palette() { return {kPalette, static_cast<size_t>(kPaletteSize)}; }

}  // namespace animatsiya
