#pragma once

#include <string_view>

#include "pixels/raster.h"

namespace animatsiya {

inline constexpr int kCaptionWidth = 385;  // pixels
inline constexpr int kCaptionHeight = 41;  // pixels

// Draws the caption label's look for a text: its whole rectangle in the background grey,
// the text in black from the top-left corner, clipped. The core knows no fonts; the
// window's toolkit supplies this.
class CaptionRenderer {
 public:
  virtual ~CaptionRenderer() = default;
  // A kCaptionWidth x kCaptionHeight raster; it must stay valid until the next call.
  virtual const Raster& Render(std::string_view utf8Text) = 0;
};

}  // namespace animatsiya
