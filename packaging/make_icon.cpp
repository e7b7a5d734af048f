// Writes the program's icon at one size as a PNG; the build runs it for every installed size.
#include <cstdio>

#include <QImage>
#include <QSaveFile>
#include <QString>

#include "app/app_icon.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: animatsiya-icon SIZE FILE.png\n");
    return 2;
  }
  bool isNumber = false;
  const int size = QString::fromLocal8Bit(argv[1]).toInt(&isNumber);
  const QImage icon = isNumber ? animatsiya::AppIconImage(size) : QImage();
  if (icon.isNull()) {
    std::fprintf(stderr, "animatsiya-icon: no icon of size '%s': the UFO does not fit\n", argv[1]);
    return 2;
  }
  // Written beside the target and renamed over it, so a failure leaves no half-written PNG.
  QSaveFile file(QString::fromLocal8Bit(argv[2]));
  if (!file.open(QIODevice::WriteOnly) || !icon.save(&file, "PNG") || !file.commit()) {
    std::fprintf(stderr, "animatsiya-icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
