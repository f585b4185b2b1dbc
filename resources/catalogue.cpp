#include "resources/catalogue.h"

#include "resources/dib.h"
#include "resources/icon.h"
#include "resources/screenpictures.h"
#include "resources/storedpictures.h"

#include <QPainter>
#include <QPixmap>
#include <QResource>

#include <algorithm>
#include <array>
#include <cmath>

namespace dalmiro {

namespace {

// loadPicture() notes its key on every picture it returns, so that a control
// can show the same picture in the set painted for its screen.
const QString kKeyText = QStringLiteral("Dalmiro-Picture");

// Where each entry of the catalogue lies in the embedded resource data, found
// once. Only the locations are kept: every loadPicture() call decodes a new
// picture.
struct Locations
{
    std::array<QByteArrayView, 11> frames; // index 1 to 10
    QByteArrayView scene;
    QByteArrayView resultBall;
    QByteArrayView icon;
};

QByteArrayView locate(const QString &path)
{
    const QResource resource(path);
    // Stored uncompressed (see resources/CMakeLists.txt), so the data can be
    // used in place.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        qFatal("picture catalogue: %s is missing or compressed", qPrintable(path));
    return {reinterpret_cast<const char *>(resource.data()), resource.size()};
}

const Locations &locations()
{
    static const Locations found = [] {
        Locations l;
        for (int frame = 1; frame <= 10; ++frame)
            l.frames[std::size_t(frame)] = locate(QStringLiteral(":/pictures/%1.dib").arg(frame));
        l.scene = locate(QStringLiteral(":/pictures/RUOTA.dib"));
        l.resultBall = locate(QStringLiteral(":/pictures/PALLA.dib"));
        l.icon = locate(QStringLiteral(":/pictures/icon.ico"));
        return l;
    }();
    return found;
}

QImage tagged(QImage picture, const QString &key)
{
    picture.setText(kKeyText, key);
    return picture;
}

// The canonical key ("RUOTA", "PALLA", "1" to "10") for a key as callers
// spell it, or an empty string.
QString canonicalKey(QStringView key)
{
    for (const char16_t *name : {u"RUOTA", u"PALLA"}) {
        if (key.compare(QStringView(name), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(name);
    }
    bool number = false;
    const int frame = key.toInt(&number);
    return number && frame >= 1 && frame <= 10 ? QString::number(frame) : QString();
}

// An entry beside the catalogue: used in place where it is stored
// uncompressed (the set at 2 and the balls at 3, decoded at start-up or at
// every drum tick), unpacked where it is compressed.
QByteArray resourceBytes(const QString &path)
{
    const QResource resource(path);
    if (!resource.isValid())
        qFatal("picture catalogue: %s is missing", qPrintable(path));
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                       resource.size());
    return resource.uncompressedData();
}

} // namespace

QByteArrayView storedPicture(int frame)
{
    if (frame < 1 || frame > 10)
        qFatal("loadPicture: no picture with key %d", frame);
    return locations().frames[std::size_t(frame)];
}

QByteArrayView storedPicture(QStringView name)
{
    if (name.compare(u"RUOTA", Qt::CaseInsensitive) == 0)
        return locations().scene;
    if (name.compare(u"PALLA", Qt::CaseInsensitive) == 0)
        return locations().resultBall;
    qFatal("loadPicture: no picture with key \"%s\"", qPrintable(name.toString()));
}

QByteArrayView storedIcon()
{
    return locations().icon;
}

QImage loadPicture(int frame)
{
    return tagged(dib::decode(storedPicture(frame)), QString::number(frame));
}

QImage loadPicture(QStringView name)
{
    return tagged(dib::decode(storedPicture(name)), canonicalKey(name));
}

int paintedScaleFor(qreal ratio)
{
    // A hair's tolerance: a ratio computed as 2.0000001 still means 2.
    for (const int scale : kPaintedScales) {
        if (ratio <= scale + 0.001)
            return scale;
    }
    return kPaintedScales.back();
}

QString pictureKey(const QImage &picture)
{
    return picture.text(kKeyText);
}

QImage loadPaintedPicture(QStringView key, int scale)
{
    const QString name = canonicalKey(key);
    if (name.isEmpty())
        qFatal("loadPaintedPicture: no picture with key \"%s\"", qPrintable(key.toString()));
    if (scale == 1)
        return dib::decode(name == u"RUOTA" || name == u"PALLA" ? storedPicture(name)
                                                                : storedPicture(name.toInt()));
    if (std::find(kPaintedScales.begin(), kPaintedScales.end(), scale) == kPaintedScales.end())
        qFatal("loadPaintedPicture: no pictures painted at %d", scale);
    return dib::decode(resourceBytes(QStringLiteral(":/pictures/%1x/%2.dib").arg(scale).arg(name)));
}

QImage loadPictureForRatio(QStringView key, qreal ratio)
{
    const int scale = paintedScaleFor(ratio);
    if (scale == 1)
        return tagged(loadPaintedPicture(key, 1), canonicalKey(key));
    QImage painted = loadPaintedPicture(key, scale);
    if (std::abs(ratio - scale) > 0.001) {
        // The logical size is the picture's size at 1, rounded to whole
        // device pixels at this ratio.
        const QSize size(int(std::lround(painted.width() / qreal(scale) * ratio)),
                         int(std::lround(painted.height() / qreal(scale) * ratio)));
        // Bilinear: no reduction goes below five eighths (1.25 from 2), so
        // each device pixel still blends the painted pixels it covers, at a
        // third of the cost of area averaging, which counts at every drum
        // tick.
        QImage reduced(size, QImage::Format_RGB32);
        QPainter painter(&reduced);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), painted);
        painter.end();
        painted = std::move(reduced);
    }
    painted.setDevicePixelRatio(std::abs(ratio - scale) > 0.001 ? ratio : qreal(scale));
    return tagged(std::move(painted), canonicalKey(key));
}

QImage iconImage()
{
    return dib::decodeIcon(storedIcon());
}

QImage iconImage(int side)
{
    if (side == dib::kIconSide)
        return iconImage();
    if (std::find(kIconSizes.begin(), kIconSizes.end(), side) == kIconSizes.end())
        qFatal("iconImage: no icon painted at %d", side);
    const QByteArray rows = resourceBytes(QStringLiteral(":/pictures/icons/%1.rgba").arg(side));
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
