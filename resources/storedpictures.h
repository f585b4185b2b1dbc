#pragma once

#include "draw/pictureid.h"

#include <QByteArrayView>
#include <QStringView>

namespace dalmiro {

// The pictures exactly as the executable carries them: each a device-
// independent bitmap without its file header. The views stay valid for the
// whole run. Keys as for loadPicture(); an unknown key aborts, naming it.
QByteArrayView storedPicture(int frame);
QByteArrayView storedPicture(QStringView name);
QByteArrayView storedPicture(PictureId id);

// The application icon as an icon file with one 48 x 48 image.
QByteArrayView storedIcon();

} // namespace dalmiro
