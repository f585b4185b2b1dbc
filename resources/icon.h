#pragma once

#include <QIcon>
#include <QImage>

namespace dalmiro {

// The application's 48 x 48 icon, decoded from the icon file the executable
// carries, with its transparent ground. Needs no image-format plugin.
QImage iconImage();
// The same picture as the window's icon; needs a QGuiApplication.
QIcon windowIcon();

} // namespace dalmiro
