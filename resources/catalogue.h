#pragma once

#include <QImage>
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

} // namespace dalmiro
