#pragma once

#include <QIcon>
#include <QImage>

namespace animatsiya {

// The program's icon: the UFO picture trimmed to its figure, enlarged by the largest whole
// factor that fits a square of `size` pixels, and centred. The grey around the UFO becomes
// transparent; the grey of its portholes stays. Null when the UFO does not fit at 1x.
QImage AppIconImage(int size);

// The icon for the main window, built in memory from the same picture.
QIcon MakeAppIcon();

}  // namespace animatsiya
