#pragma once

#include <QImage>

#include <array>
#include <initializer_list>
#include <vector>

#include "pictures/picture_set.h"
#include "pixels/geometry.h"

namespace animatsiya::e2e {

// The thirteen colours of the artwork, and Other for anything a user should never see.
enum class Colour {
  Grey, Black, White, Red, Blue, Yellow, Magenta, Crimson, Green, SkyBlue, Orange, Brown, Purple,
  Other,
};
inline constexpr int kColourCount = 14;

const char* NameOf(Colour colour);
Colour Classify(Pixel pixel);

// How many pixels of a colour a built-in picture has.
long PictureCount(PictureId id, Colour colour);

// A screenshot of the client area, read as the artwork's colours.
class StageShot {
 public:
  explicit StageShot(QImage image);

  // False when the screenshot is not the stage's size (the window was not found on screen).
  bool valid() const { return valid_; }
  const QImage& image() const { return image_; }
  Pixel pixel(int x, int y) const;
  Colour at(int x, int y) const { return colours_[static_cast<size_t>(y) * kStageWidth + x]; }

  long Count(Colour colour, const Rect& area = kStageRect) const;
  // Pixels of the colour that lie in none of the areas.
  long CountOutside(Colour colour, std::initializer_list<Rect> areas) const;
  // The bounding box of a colour; empty when it is absent.
  Rect BoxOf(Colour colour) const;

  // Rows and columns that are mostly black across the stage, as the crosshair's bands are.
  // The caption's rectangle is left out: its repaint may wipe a band there.
  int LineRows() const;
  int LineColumns() const;

  long Differing(const StageShot& other, const Rect& area = kStageRect) const;

 private:
  QImage image_;
  bool valid_ = false;
  std::vector<Colour> colours_;
  std::array<long, kColourCount> counts_{};
};

}  // namespace animatsiya::e2e
