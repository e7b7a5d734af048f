#pragma once

#include <cstdint>
#include <vector>

#include "pixels/geometry.h"
#include "pixels/raster.h"
#include "pixels/row_spans.h"

namespace animatsiya {

// The stage picture in the byte order a canvas takes (red, green, blue, alpha), kept equal
// to it by converting only the pixels that changed. The page puts its rectangles straight
// from the module's memory, so nothing else is copied per frame.
class CanvasMirror {
 public:
  explicit CanvasMirror(const Raster& picture);

  // Converts the damaged pixels and returns rectangles that cover them: one per run of
  // rows, with neighbouring rows merged while that puts fewer pixels than it saves calls.
  const std::vector<Rect>& Update(const RowSpans& damage);

  const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(rgba_.data()); }

 private:
  void ConvertRun(int y, int begin, int end);

  const Raster& picture_;
  std::vector<std::uint32_t> rgba_;
  std::vector<Rect> rects_;
};

}  // namespace animatsiya
