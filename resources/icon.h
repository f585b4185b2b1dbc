#pragma once

#include <QIcon>
#include <QImage>

#include <array>

namespace dalmiro {

// The sizes, in pixels square, at which the icon is painted for the window and
// for the desktop's icon theme.
inline constexpr std::array<int, 8> kIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The application's 48 x 48 icon, decoded from the icon file the executable
// carries, with its transparent ground. Needs no image-format plugin.
QImage iconImage();
// The icon for the desktop and the window at one of kIconSizes, painted at
// that size in full colour with a partly transparent edge (not the carried
// icon: its mask is one bit deep). Any other size aborts.
QImage iconImage(int side);
// The window's icon, carrying every size of kIconSizes; needs a
// QGuiApplication.
QIcon windowIcon();

} // namespace dalmiro
