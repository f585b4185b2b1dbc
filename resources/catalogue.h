#pragma once

#include "draw/pictureid.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringView>

namespace dalmiro {

// The pictures carried inside the executable. Every call decodes a new,
// independent picture. A key that is not in the catalogue is a programming
// error: the call aborts with a message that names the key.
//
// Ball frames 1 to 10 (45 x 46); "RUOTA" the scene (800 x 600) and "PALLA"
// the result ball (45 x 46), names matched without regard to case.
QImage loadPicture(int frame);
QImage loadPicture(QStringView name);
// The same by id: the picture painted at 1.
QImage loadPicture(PictureId id);

// The size of picture `id` as painted at 1, read without decoding it.
QSize pictureSize(PictureId id);

// The catalogue's key of a picture: "RUOTA", "PALLA" or a frame number "1" to
// "10"; and back, from a key spelled in any case. An id or a key that is not
// in the catalogue aborts, naming it.
QString pictureKey(PictureId id);
PictureId pictureIdFor(QStringView key);

} // namespace dalmiro
