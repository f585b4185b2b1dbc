#include "resources/catalogue.h"

#include "resources/dib.h"
#include "resources/icon.h"
#include "resources/storedpictures.h"

#include <QPixmap>
#include <QResource>

#include <array>

namespace dalmiro {

namespace {

// Where each entry lies in the embedded resource data, found once. Only the
// locations are kept: every loadPicture() call decodes a new picture.
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
    return dib::decode(storedPicture(frame));
}

QImage loadPicture(QStringView name)
{
    return dib::decode(storedPicture(name));
}

QImage iconImage()
{
    return dib::decodeIcon(storedIcon());
}

QIcon windowIcon()
{
    return QIcon(QPixmap::fromImage(iconImage()));
}

} // namespace dalmiro
