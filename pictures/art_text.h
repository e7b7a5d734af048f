#pragma once

// The artwork as the build embeds it: one palette letter per pixel, rows top to bottom.
// The letters are listed in pictures/art/README.md.

namespace animatsiya {

struct ArtText {
  const char* name;   // the PictureId it draws, such as "Image2"
  int width;          // pixels
  int height;         // pixels
  const char* pixels; // width * height palette letters, row by row
};

extern const ArtText kArtTexts[];
extern const int kArtTextCount;

}  // namespace animatsiya
