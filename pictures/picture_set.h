#pragma once

#include <optional>
#include <string_view>

#include "pixels/raster.h"

namespace animatsiya {

// The 30 built-in pictures, each named after the sprite that holds it at start.
enum class PictureId {
  Image1, Image2, Image3, Image4, Image7, Image8, Image9, Image10,
  Image15, Image16, Image17, Image18, Image19, Image20, Image22, Image23,
  Image24, Image25, Image26, Image29, Image30, Image31, Image32, Image33,
  Image34, Image35, Image36, Image37, Image38, Image40,
};

inline constexpr int kPictureCount = 30;

struct PictureSize {
  int width;   // pixels
  int height;  // pixels
};

// A built-in picture, in the stage picture's pixel format. Pictures are never altered.
struct Picture {
  PictureId id;
  const Raster* raster;
  int width() const { return raster->width; }
  int height() const { return raster->height; }
};

PictureSize SizeOf(PictureId id);
std::string_view NameOf(PictureId id);
std::optional<PictureId> PictureNamed(std::string_view name);

// The picture itself; the set is built on first use and lives until the program ends.
const Picture& GetPicture(PictureId id);

}  // namespace animatsiya
