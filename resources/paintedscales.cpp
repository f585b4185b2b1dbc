#include "resources/paintedscales.h"

#include "resources/catalogue.h"
#include "resources/dib.h"
#include "resources/storedpictures.h"

#include <QPainter>
#include <QResource>

#include <array>
#include <cmath>

namespace dalmiro {
namespace {

// The catalogue's entries by index: the scene, the ten ball frames, the
// result ball.
constexpr int kEntries = 12;
constexpr int kSceneEntry = 0, kResultBallEntry = 11;

PictureId entryId(int entry)
{
    return entry == kSceneEntry        ? PictureId::scene()
           : entry == kResultBallEntry ? PictureId::resultBall()
                                       : PictureId::ballFrame(entry);
}

int entryOf(PictureId id)
{
    switch (id.kind()) {
    case PictureId::Kind::Scene:
        return kSceneEntry;
    case PictureId::Kind::ResultBall:
        return kResultBallEntry;
    default:
        pictureKey(id); // aborts on a frame out of range
        return id.frame();
    }
}

QString paintedPath(int entry, int scale)
{
    return QStringLiteral(":/pictures/%1x/%2.dib").arg(scale).arg(pictureKey(entryId(entry)));
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
                const QResource resource(paintedPath(e, s + 2));
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
    return QResource(paintedPath(entry, scale)).uncompressedData();
}

QImage decodePainted(PictureId id, int scale)
{
    const int entry = entryOf(id);
    if (scale == 1)
        return dib::decode(storedPicture(id));
    if (scale < 2 || scale > kPaintedScales.back())
        qFatal("picture catalogue: no pictures painted at %d", scale);
    return dib::decode(paintedBytes(entry, scale));
}

} // namespace

int paintedScaleFor(qreal ratio)
{
    // A hair's tolerance: a ratio computed as 2.0000001 still means 2.
    for (const int scale : kPaintedScales) {
        if (ratio <= scale + 0.001)
            return scale;
    }
    return kPaintedScales.back();
}

QImage loadPaintedPicture(PictureId id, int scale)
{
    return decodePainted(id, scale);
}

QImage loadPaintedPicture(QStringView key, int scale)
{
    return decodePainted(pictureIdFor(key), scale);
}

QImage loadPictureForRatio(PictureId id, qreal ratio)
{
    const int scale = paintedScaleFor(ratio);
    QImage painted = decodePainted(id, scale);
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
    return painted;
}

QImage loadPictureForRatio(QStringView key, qreal ratio)
{
    return loadPictureForRatio(pictureIdFor(key), ratio);
}

} // namespace dalmiro
