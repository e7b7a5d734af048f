#include "tests/e2e/stage_shot.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "pictures/palette.h"

namespace animatsiya::e2e {
namespace {

// The checks name the colours they look for; the pixels are the program's palette's.
struct ColourName {
  Colour colour;
  const char* name;
};
constexpr std::array<ColourName, kColourCount - 1> kNames = {{
    {Colour::Grey, "background grey"}, {Colour::Black, "black"},   {Colour::White, "white"},
    {Colour::Red, "red"},              {Colour::Blue, "blue"},     {Colour::Yellow, "yellow"},
    {Colour::Magenta, "magenta"},      {Colour::Crimson, "crimson"}, {Colour::Green, "green"},
    {Colour::SkyBlue, "sky blue"},     {Colour::Orange, "orange"}, {Colour::Brown, "brown"},
    {Colour::Purple, "purple"},
}};

struct PaletteEntry {
  Colour colour;
  Pixel pixel;
};

// The palette read as the checks' colours; a palette colour they do not name is Other.
const std::vector<PaletteEntry>& Entries() {
  static const std::vector<PaletteEntry> entries = [] {
    std::vector<PaletteEntry> out;
    for (const PaletteColour& p : Palette()) {
      Colour colour = Colour::Other;
      for (const ColourName& n : kNames) {
        if (std::string_view(n.name) == p.name) colour = n.colour;
      }
      out.push_back({colour, p.pixel});
    }
    return out;
  }();
  return entries;
}

// The caption's rectangle in pixels (left 120, top 0, 5775 x 615 twips).
constexpr Rect kCaptionArea{8, 0, 385, 41};
// The crosshair's bands end at 11500 twips across and 8600 down, short of the stage's edges.
constexpr int kLineSpanX = 766;
constexpr int kLineSpanY = 573;
// A band's line has gaps only where elements were repainted over it: the moving UFO, a
// target that changed. Sprite outlines and slanted beams come nowhere near this share.
constexpr double kLineShare = 0.6;
// Fewer black pixels than one such row holds: no row or column can qualify.
constexpr long kFewestLinePixels = 200;

bool Inside(const Rect& r, int x, int y) { return x >= r.x && x < r.right() && y >= r.y && y < r.bottom(); }

}  // namespace

const char* NameOf(Colour colour) {
  for (const ColourName& n : kNames) {
    if (n.colour == colour) return n.name;
  }
  return "a colour outside the artwork's";
}

int UnnamedPaletteColours() {
  const auto& entries = Entries();
  return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                        [](const PaletteEntry& e) { return e.colour == Colour::Other; }));
}

Colour Classify(Pixel pixel) {
  pixel |= 0xFF000000u;
  if (pixel == kBackground) return Colour::Grey;  // most of every screenshot
  for (const PaletteEntry& entry : Entries()) {
    if (entry.pixel == pixel) return entry.colour;
  }
  return Colour::Other;
}

long PictureCount(PictureId id, Colour colour) {
  const Raster& raster = *GetPicture(id).raster;
  return std::count_if(raster.pixels.begin(), raster.pixels.end(),
                       [colour](Pixel p) { return Classify(p) == colour; });
}

StageShot::StageShot(QImage image) : image_(std::move(image)) {
  image_ = image_.convertToFormat(QImage::Format_RGB32);
  valid_ = image_.width() == kStageWidth && image_.height() == kStageHeight;
  if (!valid_) return;
  colours_.resize(static_cast<size_t>(kStageWidth) * kStageHeight);
  Colour* out = colours_.data();
  for (int y = 0; y < kStageHeight; ++y) {
    const auto* line = reinterpret_cast<const Pixel*>(image_.constScanLine(y));
    for (int x = 0; x < kStageWidth; ++x, ++out) {
      *out = Classify(line[x]);
      ++counts_[static_cast<size_t>(*out)];
    }
  }
}

Pixel StageShot::pixel(int x, int y) const {
  return reinterpret_cast<const Pixel*>(image_.constScanLine(y))[x] | 0xFF000000u;
}

long StageShot::Count(Colour colour, const Rect& area) const {
  if (!valid_) return 0;
  if (area == kStageRect) return counts_[static_cast<size_t>(colour)];
  const Rect r = Intersect(area, kStageRect);
  long count = 0;
  for (int y = r.y; y < r.bottom(); ++y) {
    for (int x = r.x; x < r.right(); ++x) count += at(x, y) == colour;
  }
  return count;
}

long StageShot::CountOutside(Colour colour, std::initializer_list<Rect> areas) const {
  if (!valid_ || counts_[static_cast<size_t>(colour)] == 0) return 0;
  long count = 0;
  for (int y = 0; y < kStageHeight; ++y) {
    for (int x = 0; x < kStageWidth; ++x) {
      if (at(x, y) != colour) continue;
      count += std::none_of(areas.begin(), areas.end(),
                            [x, y](const Rect& r) { return Inside(r, x, y); });
    }
  }
  return count;
}

Rect StageShot::BoxOf(Colour colour) const {
  Rect box;
  if (!valid_ || counts_[static_cast<size_t>(colour)] == 0) return box;
  for (int y = 0; y < kStageHeight; ++y) {
    for (int x = 0; x < kStageWidth; ++x) {
      if (at(x, y) == colour) box = BoundingBox(box, Rect{x, y, 1, 1});
    }
  }
  return box;
}

int StageShot::LineRows() const {
  if (!valid_ || counts_[static_cast<size_t>(Colour::Black)] < kFewestLinePixels) return 0;
  int rows = 0;
  for (int y = 0; y < kStageHeight; ++y) {
    const Colour* row = &colours_[static_cast<size_t>(y) * kStageWidth];
    const bool besideCaption = y < kCaptionArea.bottom();
    int black = 0;
    for (int x = 0; x < kLineSpanX; ++x) {
      if (besideCaption && x >= kCaptionArea.x && x < kCaptionArea.right()) continue;
      black += row[x] == Colour::Black;
    }
    const int span = besideCaption ? kLineSpanX - kCaptionArea.width : kLineSpanX;
    rows += black >= kLineShare * span;
  }
  return rows;
}

int StageShot::LineColumns() const {
  if (!valid_ || counts_[static_cast<size_t>(Colour::Black)] < kFewestLinePixels) return 0;
  std::array<int, kStageWidth> black{};
  for (int y = 0; y < kLineSpanY; ++y) {
    const Colour* row = &colours_[static_cast<size_t>(y) * kStageWidth];
    const bool besideCaption = y < kCaptionArea.bottom();
    for (int x = 0; x < kStageWidth; ++x) {
      if (besideCaption && x >= kCaptionArea.x && x < kCaptionArea.right()) continue;
      black[static_cast<size_t>(x)] += row[x] == Colour::Black;
    }
  }
  int columns = 0;
  for (int x = 0; x < kStageWidth; ++x) {
    const bool belowCaption = x >= kCaptionArea.x && x < kCaptionArea.right();
    const int span = belowCaption ? kLineSpanY - kCaptionArea.height : kLineSpanY;
    columns += black[static_cast<size_t>(x)] >= kLineShare * span;
  }
  return columns;
}

long StageShot::Differing(const StageShot& other, const Rect& area) const {
  if (!valid_ || !other.valid_) return -1;
  const Rect r = Intersect(area, kStageRect);
  long count = 0;
  for (int y = r.y; y < r.bottom(); ++y) {
    for (int x = r.x; x < r.right(); ++x) count += pixel(x, y) != other.pixel(x, y);
  }
  return count;
}

}  // namespace animatsiya::e2e
