#pragma once

#include <map>
#include <string>

#include "stage/caption_renderer.h"

namespace animatsiya {

// The caption's look drawn with Qt's text engine: bold 18 px (13.5 points at 96 dpi) in a
// sans-serif face with Cyrillic glyphs, black on the background grey, without smoothing,
// so every run shows the same pixels. Needs a QGuiApplication.
class QtCaptionRenderer : public CaptionRenderer {
 public:
  const Raster& Render(std::string_view utf8Text) override;

 private:
  // The program shows only a handful of texts; each is drawn once.
  std::map<std::string, Raster, std::less<>> cache_;
};

}  // namespace animatsiya
