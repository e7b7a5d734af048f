#include "pictures/picture_set.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "pictures/art_text.h"
#include "pictures/palette.h"

namespace animatsiya {
namespace {

constexpr std::array<std::string_view, kPictureCount> kNames = {
    "Image1",  "Image2",  "Image3",  "Image4",  "Image7",  "Image8",  "Image9",  "Image10",
    "Image15", "Image16", "Image17", "Image18", "Image19", "Image20", "Image22", "Image23",
    "Image24", "Image25", "Image26", "Image29", "Image30", "Image31", "Image32", "Image33",
    "Image34", "Image35", "Image36", "Image37", "Image38", "Image40",
};

constexpr std::array<PictureSize, kPictureCount> kSizes = {{
    {68, 52},  {68, 51},  {75, 54},   {68, 51},   {91, 17},  {91, 17},  {17, 92},  {17, 92},
    {36, 33},  {32, 29},  {137, 196}, {10, 8},    {39, 67},  {39, 67},  {458, 103}, {119, 172},
    {119, 172}, {118, 172}, {118, 172}, {208, 94}, {208, 94}, {209, 75}, {209, 75}, {167, 126},
    {252, 97}, {252, 96}, {252, 96},  {70, 107},  {64, 107}, {70, 107},
}};

// Pixels by palette letter; a letter outside the palette never reaches here, since the
// build checks the artwork against the same list.
std::array<Pixel, 128> ColoursByLetter() {
  std::array<Pixel, 128> colours{};
  colours.fill(kBackground);
  for (const PaletteColour& colour : Palette()) colours[static_cast<unsigned char>(colour.letter)] = colour.pixel;
  return colours;
}

Raster FromArt(std::string_view name) {
  for (int i = 0; i < kArtTextCount; ++i) {
    const ArtText& art = kArtTexts[i];
    if (name != art.name) continue;
    static const std::array<Pixel, 128> colours = ColoursByLetter();
    Raster raster(art.width, art.height, kBackground);
    for (size_t p = 0; p < raster.pixels.size(); ++p) {
      raster.pixels[p] = colours[static_cast<unsigned char>(art.pixels[p]) & 127];
    }
    return raster;
  }
  std::abort();  // the build embeds every drawn picture; a missing one is a build fault
}

Raster Recoloured(const Raster& from, Pixel old, Pixel replacement) {
  Raster raster = from;
  for (Pixel& p : raster.pixels) {
    if (p == old) p = replacement;
  }
  return raster;
}

// Image1 is the saucer's drawing in red with one more grey row at the bottom.
Raster RedUfo(const Raster& saucer) {
  Raster red = Recoloured(saucer, Rgb(0, 0, 255), Rgb(255, 0, 0));
  Raster raster(red.width, red.height + 1, kBackground);
  std::copy(red.pixels.begin(), red.pixels.end(), raster.pixels.begin());
  return raster;
}

struct PictureSet {
  std::array<Raster, kPictureCount> rasters;
  std::array<Picture, kPictureCount> pictures;

  PictureSet() {
    for (int i = 0; i < kPictureCount; ++i) {
      const auto id = static_cast<PictureId>(i);
      switch (id) {
        case PictureId::Image1: break;  // derived below
        case PictureId::Image4: break;
        case PictureId::Image8: break;
        case PictureId::Image10: break;
        case PictureId::Image40: break;
        default: rasters[i] = FromArt(kNames[i]);
      }
    }
    auto at = [this](PictureId id) -> Raster& { return rasters[static_cast<int>(id)]; };
    const Pixel red = Rgb(255, 0, 0);
    const Pixel blue = Rgb(0, 0, 255);
    at(PictureId::Image1) = RedUfo(at(PictureId::Image2));
    at(PictureId::Image4) = at(PictureId::Image2);
    at(PictureId::Image8) = Recoloured(at(PictureId::Image7), red, blue);
    at(PictureId::Image10) = Recoloured(at(PictureId::Image9), red, blue);
    at(PictureId::Image40) = at(PictureId::Image37);
    for (int i = 0; i < kPictureCount; ++i) {
      // A sprite takes its size from the table, so a drawing of another size is a build fault.
      const PictureSize size = kSizes[i];
      if (rasters[i].width != size.width || rasters[i].height != size.height) std::abort();
      pictures[i] = {static_cast<PictureId>(i), &rasters[i]};
    }
  }
};

const PictureSet& Set() {
  static const PictureSet set;
  return set;
}

}  // namespace

PictureSize SizeOf(PictureId id) { return kSizes[static_cast<int>(id)]; }

std::string_view NameOf(PictureId id) { return kNames[static_cast<int>(id)]; }

std::optional<PictureId> PictureNamed(std::string_view name) {
  for (int i = 0; i < kPictureCount; ++i) {
    if (kNames[i] == name) return static_cast<PictureId>(i);
  }
  return std::nullopt;
}

const Picture& GetPicture(PictureId id) { return Set().pictures[static_cast<int>(id)]; }

}  // namespace animatsiya
