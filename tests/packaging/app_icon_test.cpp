#include "app/app_icon.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "pictures/picture_set.h"

namespace animatsiya {
namespace {

// The UFO's figure within its picture: rows 4 to 43, the rim line spanning the full width.
constexpr int kFigureTop = 4;
constexpr int kFigureWidth = 68;
constexpr int kFigureHeight = 40;

struct IconCase {
  int size;
  int scale;
};

void PrintTo(const IconCase& c, std::ostream* os) { *os << c.size << " px at " << c.scale << "x"; }

class AppIconTest : public testing::TestWithParam<IconCase> {};

// Every pixel of the figure becomes a solid block of scale x scale, the figure centred,
// and nothing outside the figure's rectangle is painted.
TEST_P(AppIconTest, EnlargesTheUfoByWholePixelsAndCentresIt) {
  const auto [size, scale] = GetParam();
  const QImage icon = AppIconImage(size);
  ASSERT_EQ(icon.size(), QSize(size, size));
  const int left = (size - kFigureWidth * scale) / 2;
  const int top = (size - kFigureHeight * scale) / 2;
  const Raster& ufo = *GetPicture(PictureId::Image1).raster;

  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const QRgb got = icon.pixel(x, y);
      const int fx = (x - left) / scale, fy = (y - top) / scale;
      const bool inFigure = x >= left && y >= top && fx < kFigureWidth && fy < kFigureHeight;
      if (!inFigure) {
        ASSERT_EQ(qAlpha(got), 0) << "at " << x << "," << y;
        continue;
      }
      const Pixel want = ufo.at(fx, kFigureTop + fy);
      // Grey inside the figure's rectangle is either sky (transparent) or a porthole.
      if (want == kBackground && qAlpha(got) == 0) continue;
      ASSERT_EQ(got, want) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, AppIconTest,
                         testing::Values(IconCase{68, 1}, IconCase{72, 1}, IconCase{192, 2},
                                         IconCase{256, 3}, IconCase{512, 7}),
                         [](const testing::TestParamInfo<IconCase>& info) {
                           return "Size" + std::to_string(info.param.size);
                         });

TEST(AppIcon, SkyIsTransparentAndPortholesStayGrey) {
  const QImage icon = AppIconImage(72);
  const int left = (72 - kFigureWidth) / 2, top = (72 - kFigureHeight) / 2;
  // Pixels named by their place in the picture.
  auto at = [&](int x, int y) { return icon.pixel(left + x, top + y - kFigureTop); };
  EXPECT_EQ(qAlpha(at(0, kFigureTop)), 0);     // sky above the rim's left end
  EXPECT_EQ(qAlpha(at(5, 42)), 0);             // sky below the hull
  EXPECT_EQ(at(34, kFigureTop), Rgb(0, 0, 0));  // the deck's outline
  EXPECT_EQ(at(18, 22), kBackground);          // a porthole of the upper row
  EXPECT_EQ(at(47, 31), kBackground);          // a porthole of the lower row
  EXPECT_EQ(at(33, 8), kBackground);           // the deck's window
}

TEST(AppIcon, TooSmallForTheUfoGivesNoIcon) {
  EXPECT_TRUE(AppIconImage(67).isNull());
  EXPECT_TRUE(AppIconImage(0).isNull());
}

}  // namespace
}  // namespace animatsiya
