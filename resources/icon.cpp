#include "resources/icon.h"

#include "resources/dib.h"
#include "resources/storedpictures.h"

#include <QPixmap>
#include <QResource>

#include <algorithm>

namespace dalmiro {

QImage iconImage()
{
    return dib::decodeIcon(storedIcon());
}

QImage iconImage(int side)
{
    if (std::find(kIconSizes.begin(), kIconSizes.end(), side) == kIconSizes.end())
        qFatal("iconImage: no icon painted at %d", side);
    // Stored compressed: unpacked here.
    const QByteArray rows =
        QResource(QStringLiteral(":/pictures/icons/%1.rgba").arg(side)).uncompressedData();
    if (rows.size() != qsizetype(side) * side * 4)
        qFatal("iconImage: the %d icon is damaged", side);
    return QImage(reinterpret_cast<const uchar *>(rows.constData()), side, side, side * 4,
                  QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_ARGB32);
}

QIcon windowIcon()
{
    QIcon icon;
    for (const int side : kIconSizes)
        icon.addPixmap(QPixmap::fromImage(iconImage(side)));
    return icon;
}

} // namespace dalmiro
