#include "web/canvas_mirror.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "pixels/geometry.h"

namespace animatsiya {
namespace {

// The bytes a canvas reads for one pixel of the mirror.
std::vector<std::uint8_t> BytesAt(const CanvasMirror& mirror, int x, int y) {
  const std::uint8_t* p = mirror.bytes() + (static_cast<size_t>(y) * kStageWidth + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

bool Covered(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& r : rects) {
    if (x >= r.x && x < r.right() && y >= r.y && y < r.bottom()) return true;
  }
  return false;
}

TEST(CanvasMirrorTest, HoldsTheStageInTheCanvasByteOrder) {
  Raster picture(kStageWidth, kStageHeight, kBackground);
  picture.at(5, 7) = Rgb(255, 128, 64);
  const CanvasMirror mirror(picture);
  EXPECT_EQ(BytesAt(mirror, 5, 7), (std::vector<std::uint8_t>{255, 128, 64, 255}));
  EXPECT_EQ(BytesAt(mirror, 0, 0), (std::vector<std::uint8_t>{192, 192, 192, 255}));
}

TEST(CanvasMirrorTest, ConvertsOnlyTheDamageAndCoversAllOfIt) {
  Raster picture(kStageWidth, kStageHeight, kBackground);
  CanvasMirror mirror(picture);
  // A slanted beam, one pixel a row, and a sprite-sized block far from it.
  RowSpans damage;
  for (int y = 100; y < 400; ++y) {
    picture.at(y, y) = Rgb(0, 0, 0);
    damage.AddRun(y, y, y + 1);
  }
  damage.AddRect({600, 500, 40, 30});
  for (int y = 500; y < 530; ++y) {
    for (int x = 600; x < 640; ++x) picture.at(x, y) = Rgb(0, 0, 255);
  }
  // Changed outside the damage: the stage never does this, so the mirror must not see it.
  picture.at(10, 10) = Rgb(255, 0, 0);

  const std::vector<Rect> rects = mirror.Update(damage);
  for (int y = 100; y < 400; ++y) {
    EXPECT_TRUE(Covered(rects, y, y)) << y;
    EXPECT_EQ(BytesAt(mirror, y, y), (std::vector<std::uint8_t>{0, 0, 0, 255})) << y;
  }
  EXPECT_TRUE(Covered(rects, 600, 500) && Covered(rects, 639, 529));
  EXPECT_EQ(BytesAt(mirror, 639, 529), (std::vector<std::uint8_t>{0, 0, 255, 255}));
  EXPECT_EQ(BytesAt(mirror, 10, 10), (std::vector<std::uint8_t>{192, 192, 192, 255}));

  // Few calls, but not the beam's bounding box: that would put most of the stage.
  long put = 0;
  for (const Rect& r : rects) put += r.area();
  EXPECT_LT(rects.size(), 40u);
  EXPECT_LT(put, 300L * 300 / 4);
}

TEST(CanvasMirrorTest, NoDamageNoRectangles) {
  const Raster picture(kStageWidth, kStageHeight, kBackground);
  CanvasMirror mirror(picture);
  EXPECT_TRUE(mirror.Update(RowSpans()).empty());
}

}  // namespace
}  // namespace animatsiya
