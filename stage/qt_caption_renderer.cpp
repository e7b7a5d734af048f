#include "stage/qt_caption_renderer.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace animatsiya {
namespace {

QFont CaptionFont() {
  QFont font;
  // The families are named in order so the look does not hang on fontconfig's defaults.
  font.setFamilies(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                               QStringLiteral("DejaVu Sans")});
  font.setPixelSize(18);
  font.setBold(true);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace

const Raster& QtCaptionRenderer::Render(std::string_view utf8Text) {
  if (auto found = cache_.find(utf8Text); found != cache_.end()) return found->second;

  Raster raster(kCaptionWidth, kCaptionHeight, kBackground);
  // The image paints straight into the raster: both are 0xFFRRGGBB words.
  QImage image(reinterpret_cast<uchar*>(raster.pixels.data()), kCaptionWidth, kCaptionHeight,
               kCaptionWidth * static_cast<int>(sizeof(Pixel)), QImage::Format_RGB32);
  {
    QPainter painter(&image);
    painter.setFont(CaptionFont());
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, kCaptionWidth, kCaptionHeight), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())));
  }
  return cache_.emplace(std::string(utf8Text), std::move(raster)).first->second;
}

}  // namespace animatsiya
