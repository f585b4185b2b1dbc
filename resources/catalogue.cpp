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
    // qsizetype is narrower than the resource's size on 32-bit targets; no
    // embedded picture comes near that limit.
    return {reinterpret_cast<const char *>(resource.data()), qsizetype(resource.size())};
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

// The catalogue's entries by index: the scene, the ten ball frames, the
// result ball.
constexpr int kEntries = 12;
constexpr int kSceneEntry = 0, kResultBallEntry = 11;

QString entryKey(int entry)
{
    return entry == kSceneEntry        ? QStringLiteral("RUOTA")
           : entry == kResultBallEntry ? QStringLiteral("PALLA")
                                       : QString::number(entry);
}

// The entry for a key as callers spell it ("Palla", "ruota", "7"); aborts on
// a key the catalogue does not hold.
int entryFor(QStringView key)
{
    if (key.compare(u"RUOTA", Qt::CaseInsensitive) == 0)
        return kSceneEntry;
    if (key.compare(u"PALLA", Qt::CaseInsensitive) == 0)
        return kResultBallEntry;
    bool number = false;
    const int frame = key.toInt(&number);
    if (!number || frame < 1 || frame > 10)
        qFatal("picture catalogue: no picture with key \"%s\"", qPrintable(key.toString()));
    return frame;
}

// The entries of a larger set. Those stored uncompressed (the whole set at 2
// and the balls at 3, decoded at start-up or at every drum tick) are found
// once and used in place; a compressed one (the scene at 3) is unpacked at
// every call.
QByteArray paintedBytes(int entry, int scale)
{
    struct Set
    {
        std::array<QByteArray, kEntries> inPlace; // empty where compressed
    };
    constexpr std::size_t kLargerSets = kPaintedScales.size() - 1;
    static const std::array<Set, kLargerSets> sets = [] {
        std::array<Set, kLargerSets> found;
        for (int s = 0; s < int(kLargerSets); ++s) {
            for (int e = 0; e < kEntries; ++e) {
                const QResource resource(
                    QStringLiteral(":/pictures/%1x/%2.dib").arg(s + 2).arg(entryKey(e)));
                if (!resource.isValid())
                    qFatal("picture catalogue: %s is missing", qPrintable(resource.fileName()));
                if (resource.compressionAlgorithm() == QResource::NoCompression)
                    found[std::size_t(s)].inPlace[std::size_t(e)] = QByteArray::fromRawData(
                        reinterpret_cast<const char *>(resource.data()), qsizetype(resource.size()));
            }
        }
        return found;
    }();
    const QByteArray &bytes = sets[std::size_t(scale - 2)].inPlace[std::size_t(entry)];
    if (!bytes.isNull())
        return bytes;
    return QResource(QStringLiteral(":/pictures/%1x/%2.dib").arg(scale).arg(entryKey(entry)))
        .uncompressedData();
}

QImage decodePainted(int entry, int scale)
{
    if (scale == 1)
        return dib::decode(entry == kSceneEntry        ? storedPicture(u"RUOTA")
                           : entry == kResultBallEntry ? storedPicture(u"PALLA")
                                                       : storedPicture(entry));
    if (scale < 2 || scale > kPaintedScales.back())
        qFatal("picture catalogue: no pictures painted at %d", scale);
    return dib::decode(paintedBytes(entry, scale));
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
    return tagged(dib::decode(storedPicture(name)), entryKey(entryFor(name)));
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
    return decodePainted(entryFor(key), scale);
}

QImage loadPictureForRatio(QStringView key, qreal ratio)
{
    const int entry = entryFor(key);
    const int scale = paintedScaleFor(ratio);
    QImage painted = decodePainted(entry, scale);
    if (scale != 1 && std::abs(ratio - scale) > 0.001) {
        // The logical size is the picture's size at 1, rounded to whole
        // device pixels at this ratio.
        const QSize size(int(std::lround(painted.width() / qreal(scale) * ratio)),
                         int(std::lround(painted.height() / qreal(scale) * ratio)));
        // (On the web page, above 2 this enlarges the set at 2.)
        // Bilinear: no reduction goes below five eighths (1.25 from 2), so
        // each device pixel still blends the painted pixels it covers, at a
        // third of the cost of area averaging, which counts at every repaint
        // of a drum slot that changed.
        QImage reduced(size, QImage::Format_RGB32);
        QPainter painter(&reduced);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), painted);
        painter.end();
        painted = std::move(reduced);
        painted.setDevicePixelRatio(ratio);
    } else {
        painted.setDevicePixelRatio(scale);
    }
    return tagged(std::move(painted), entryKey(entry));
}

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
