#include "app/app_icon.h"

#include <QPixmap>

#include "app/icon_raster.h"

namespace animatsiya {

QImage AppIconImage(int size) {
  const std::optional<Raster> icon = AppIconRaster(size);
  if (!icon) return {};
  // The raster's 0xAARRGGBB words are ARGB32's own layout; the copy outlives the raster.
  return QImage(reinterpret_cast<const uchar*>(icon->pixels.data()), icon->width, icon->height,
                icon->width * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_ARGB32)
      .copy();
}

QIcon MakeAppIcon() {
  // A small one for title bars and a large one for task switchers; Qt scales between them.
  QIcon icon;
  for (int size : {72, 256}) icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
  return icon;
}

}  // namespace animatsiya
