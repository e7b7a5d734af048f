#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "stage/element_id.h"
#include "pixels/geometry.h"
#include "pixels/raster.h"
#include "pixels/row_spans.h"

namespace animatsiya {

// What the compositor draws for one element: its rectangle in pixels (anywhere, even off
// the stage) and its raster, or nothing for a hidden element or one without a picture.
struct Layer {
  Rect rect;
  const Raster* raster = nullptr;
};

// Keeps the stage picture, a 773 x 584 pixel buffer, for the window's life. It composes
// stretches of it from the layers, paints lines straight into it, and remembers which
// pixels lines painted, so that wiping them repaints only those rows.
class Compositor {
 public:
  // Layer 0 is the backmost.
  static constexpr int kLayerCount = kElementCount;

  Compositor();

  void SetLayer(int index, const Layer& layer) { layers_[index] = layer; }

  // Fills r with the background and draws every layer over it, back to front, clipped.
  void Compose(const Rect& r);
  void ComposeAll() { Compose(kStageRect); }
  // Composes the union of the rectangles, each pixel once.
  void ComposeUnion(const std::vector<Rect>& rects);
  // Recomposes the pixels that lines painted since they were last composed; the picture
  // is then the whole stage composed anew.
  void WipeLines();
  // A one-pixel black line between two pixels, both ends painted, clipped to the stage.
  void DrawLine(int x1, int y1, int x2, int y2);

  // Whether a line may stand within r: exact for rows and columns of paint, though a
  // partly wiped span still counts whole.
  bool HasLinesIn(const Rect& r) const;

  const Raster& picture() const { return picture_; }
  Raster ComposeFresh() const;

  // Pixels changed since the last call.
  RowSpans TakeDamage();

 private:
  void ComposeInto(Raster& target, const Rect& r) const;
  void ForgetPaint(const Rect& r);
  // Paints pixels x0..x1 of row y black, clipped to the stage.
  void PaintRun(int y, int x0, int x1);

  Raster picture_;
  std::array<Layer, kLayerCount> layers_{};
  RowSpans painted_;  // pixels that lines painted since they were last composed
  RowSpans damage_;   // pixels composed since the window last took them
  // Vertical lines painted since the last wipe, kept as columns rather than row spans:
  // the crosshair paints a dozen of them down the whole stage on every tick.
  std::vector<Rect> paintedColumns_;
  size_t freshColumnsFrom_ = 0;  // the columns painted since the last composition
  // Lines painted since the last composition, their pixel end points packed in one word:
  // drawing one again changes nothing, and the beams repeat the same few pixel lines many
  // times.
  std::vector<std::uint64_t> linesSinceCompose_;
  // Scratch space of ComposeUnion, kept to spare an allocation per changed element.
  std::vector<int> edges_;
  std::vector<std::pair<int, int>> runs_;
  std::vector<std::pair<int, int>> mergedRuns_;
  std::vector<std::pair<int, int>> growingRuns_;
};

}  // namespace animatsiya
