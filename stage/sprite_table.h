#pragma once

#include <optional>
#include <string_view>

#include "pictures/picture_set.h"
#include "stage/element_id.h"

namespace animatsiya {

// One row of the design table: where an element stands when the window is built.
struct DesignRow {
  ElementId id;
  std::string_view name;
  int left;    // twips
  int top;     // twips
  int width;   // twips
  int height;  // twips
  bool visible;
  std::optional<PictureId> picture;
};

// The rows in stacking order: row 0 is the frontmost element (Image40), row 40 the
// backmost (Image1). The caption stands in row 18.
extern const DesignRow kSpriteTable[kElementCount];

inline constexpr std::string_view kStartCaption = "Как Ньютон открыл закон физики";

const DesignRow& DesignRowOf(ElementId id);
std::string_view ElementName(ElementId id);

}  // namespace animatsiya
