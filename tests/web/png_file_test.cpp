#include "web/png_file.h"

#include <gtest/gtest.h>

#include <QImage>

#include "pixels/raster.h"

namespace animatsiya {
namespace {

// Qt's own PNG reader takes the file back: size, colours and transparency, across more
// than one stored block.
TEST(PngFileTest, ReadsBackAsWritten) {
  Raster raster(150, 130, 0);  // 78,130 bytes of rows: two stored blocks
  raster.at(0, 0) = Rgb(255, 0, 0);
  raster.at(149, 129) = Rgb(0, 128, 255);
  raster.at(70, 60) = 0x80FFFF00u;
  const std::string png = EncodePng(raster);
  QImage image;
  ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()),
                                 static_cast<int>(png.size()), "PNG"));
  image = image.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(150, 130));
  EXPECT_EQ(image.pixel(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(image.pixel(149, 129), Rgb(0, 128, 255));
  EXPECT_EQ(image.pixel(70, 60), 0x80FFFF00u);
  EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

}  // namespace
}  // namespace animatsiya
