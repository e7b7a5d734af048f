#include "stage/stage.h"

#include "stage/caption_look.h"
#include "stage/sprite_table.h"

namespace animatsiya {
namespace {

// Index of an element's layer: the backmost (the last design row) is layer 0.
int LayerIndex(ElementId id) {
  static const auto table = [] {
    std::array<int, kElementCount + 1> index{};
    for (int row = 0; row < kElementCount; ++row) {
      index[kSpriteTable[row].id] = kElementCount - 1 - row;
    }
    return index;
  }();
  return table[id];
}

}  // namespace

Stage::Stage()
    : caption_(kStartCaption), captionLook_(kCaptionWidth, kCaptionHeight, kBackground) {
  for (const DesignRow& row : kSpriteTable) {
    elements_[row.id - 1] = {row.id, row.left, row.top, row.width, row.height, row.visible,
                             row.picture};
  }
  DrawCaption(caption_, captionLook_);
  RefreshLayers();
}

Rect Stage::PixelRect(const Element& e) const {
  return {TwipsToPixel(e.left), TwipsToPixel(e.top), e.width / kTwipsPerPixel,
          e.height / kTwipsPerPixel};
}

Layer Stage::LayerOf(const Element& e) const {
  if (!e.visible) return {PixelRect(e), nullptr};
  if (e.id == Label1) return {PixelRect(e), &captionLook_};
  if (!e.picture) return {PixelRect(e), nullptr};
  return {PixelRect(e), GetPicture(*e.picture).raster};
}

void Stage::RefreshLayers() {
  for (const Element& e : elements_) compositor_.SetLayer(LayerIndex(e.id), LayerOf(e));
}

void Stage::BeforeChange(ElementId id) {
  if (isChanged_[id - 1]) return;
  isChanged_[id - 1] = true;
  changed_.push_back(id);
  covered_[id - 1].push_back(PixelRect(element(id)));
  shown_[id - 1].push_back(LayerOf(element(id)).raster != nullptr);
}

void Stage::AfterChange(ElementId id) {
  const Element& e = element(id);
  const Rect now = PixelRect(e);
  const Layer layer = LayerOf(e);
  const bool shows = layer.raster != nullptr;
  std::vector<Rect>& covered = covered_[id - 1];
  std::vector<bool>& shown = shown_[id - 1];
  if (covered.back() != now) {
    covered.push_back(now);
    shown.push_back(shows);
  } else if (shows) {
    shown.back() = true;
  }
  compositor_.SetLayer(LayerIndex(id), layer);
}

void Stage::SetLeft(ElementId sprite, int x) {
  if (elements_[sprite - 1].left == x) return;
  BeforeChange(sprite);
  elements_[sprite - 1].left = x;
  AfterChange(sprite);
}

void Stage::SetTop(ElementId sprite, int y) {
  if (elements_[sprite - 1].top == y) return;
  BeforeChange(sprite);
  elements_[sprite - 1].top = y;
  AfterChange(sprite);
}

int Stage::GetLeft(ElementId sprite) const { return element(sprite).left; }

int Stage::GetTop(ElementId sprite) const { return element(sprite).top; }

void Stage::SetVisible(ElementId element, bool visible) {
  if (elements_[element - 1].visible == visible) return;
  BeforeChange(element);
  elements_[element - 1].visible = visible;
  AfterChange(element);
}

void Stage::ShowPicture(ElementId target, std::optional<PictureId> picture) {
  Element& e = elements_[target - 1];
  // Nothing to hand on, or the same picture again: no change.
  if (!picture || e.picture == picture) return;
  BeforeChange(target);
  const PictureSize size = SizeOf(*picture);
  e.picture = picture;
  e.width = size.width * kTwipsPerPixel;
  e.height = size.height * kTwipsPerPixel;
  AfterChange(target);
}

void Stage::TakePicture(ElementId target, ElementId source) {
  ShowPicture(target, element(source).picture);
}

void Stage::RestorePicture(ElementId sprite) { ShowPicture(sprite, DesignRowOf(sprite).picture); }

void Stage::SetCaption(std::string_view text) {
  if (caption_ == text) return;
  BeforeChange(Label1);
  caption_ = text;
  DrawCaption(caption_, captionLook_);
  AfterChange(Label1);
}

void Stage::ClearDrawing() {
  compositor_.WipeLines();
  if (observer_ != nullptr) observer_->OnClearDrawing();
}

void Stage::DrawLine(int x1, int y1, int x2, int y2) {
  compositor_.DrawLine(TwipsToPixel(x1), TwipsToPixel(y1), TwipsToPixel(x2), TwipsToPixel(y2));
  if (observer_ != nullptr) observer_->OnDrawLine(x1, y1, x2, y2);
}

void Stage::ComposeAll() { compositor_.ComposeAll(); }

void Stage::FinishStep() {
  // The rectangles of all changed elements are composed as one union, so where they
  // overlap (the first tick of a scene hides many large sprites) each pixel is composed
  // once.
  toCompose_.clear();
  for (ElementId id : changed_) {
    // Where the element showed nothing (hidden, or without a picture) the picture is
    // as it should be but for lines; a rectangle without lines is left as it is.
    std::vector<Rect>& covered = covered_[id - 1];
    const std::vector<bool>& shown = shown_[id - 1];
    for (size_t i = 0; i < covered.size(); ++i) {
      if (shown[i] || compositor_.HasLinesIn(covered[i])) toCompose_.push_back(covered[i]);
    }
    covered.clear();
    shown_[id - 1].clear();
    isChanged_[id - 1] = false;
  }
  changed_.clear();
  if (!toCompose_.empty()) compositor_.ComposeUnion(toCompose_);
}

Raster Stage::ComposeFresh() const { return compositor_.ComposeFresh(); }

}  // namespace animatsiya
