#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/picture_set.h"
#include "pixels/raster.h"
#include "stage/compositor.h"
#include "stage/element_id.h"

namespace animatsiya {

// One sprite or the caption label. Positions and sizes are in twips.
struct Element {
  ElementId id;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = false;
  std::optional<PictureId> picture;  // sprites only
};

// Told of every line drawn and every clear; the trace tool listens, the program does not.
class StageObserver {
 public:
  virtual ~StageObserver() = default;
  virtual void OnDrawLine(int x1, int y1, int x2, int y2) = 0;
  virtual void OnClearDrawing() = 0;
};

// The client area: 40 sprites and the caption label in a fixed stacking order, and the
// stage picture they are composed into. Scenes change it only through the nine
// operations; FinishStep then repaints what they changed.
class Stage {
 public:
  // Builds every element from the design table.
  Stage();
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  // The nine operations.
  void SetLeft(ElementId sprite, int x);
  void SetTop(ElementId sprite, int y);
  int GetLeft(ElementId sprite) const;
  int GetTop(ElementId sprite) const;
  void SetVisible(ElementId element, bool visible);
  void TakePicture(ElementId target, ElementId source);
  // Not one of the nine: gives a sprite back its own start picture from the design table.
  void RestorePicture(ElementId sprite);
  void SetCaption(std::string_view text);
  void ClearDrawing();
  void DrawLine(int x1, int y1, int x2, int y2);

  // Composes the whole stage picture; the window does this when it is first shown.
  void ComposeAll();
  // After a step or a menu command: recomposes every rectangle that each changed element
  // covered during it, before, between and after its changes.
  void FinishStep();

  const Element& element(ElementId id) const { return elements_[id - 1]; }
  const std::string& caption() const { return caption_; }
  // The stage picture as shown, lines included.
  const Raster& picture() const { return compositor_.picture(); }
  // The whole stage composed anew from its elements, without lines; changes nothing.
  Raster ComposeFresh() const;
  // Pixels repainted since the last TakeDamage: what the window has to present.
  RowSpans TakeDamage() { return compositor_.TakeDamage(); }

  void SetObserver(StageObserver* observer) { observer_ = observer; }

 private:
  // Before an element's first change in a step, remembers the rectangle it covers; after
  // every change, the rectangle it covers then.
  void BeforeChange(ElementId id);
  void AfterChange(ElementId id);
  // The sprite shows the picture from now on, resized to it; the common part of
  // TakePicture and RestorePicture.
  void ShowPicture(ElementId target, std::optional<PictureId> picture);
  Rect PixelRect(const Element& e) const;
  Layer LayerOf(const Element& e) const;
  void RefreshLayers();

  Element elements_[kElementCount];
  std::string caption_;
  Raster captionLook_;  // the caption's text drawn on its grey rectangle
  Compositor compositor_;
  StageObserver* observer_ = nullptr;

  // Elements changed in the current step, in order, and every rectangle each covered.
  std::vector<ElementId> changed_;
  bool isChanged_[kElementCount] = {};
  std::vector<Rect> covered_[kElementCount];
  // For each covered rectangle, whether the element showed anything there.
  std::vector<bool> shown_[kElementCount];
  // What FinishStep composes; kept to spare an allocation per step.
  std::vector<Rect> toCompose_;
};

}  // namespace animatsiya
