#include "resources/storedpictures.h"

#include <QResource>
#include <QString>

#include <array>

namespace dalmiro {
namespace {

// Where each entry of the catalogue lies in the embedded resource data, found
// once. Only the locations are kept: every loadPicture() call decodes a new
// picture.
struct Locations
{
    std::array<QByteArrayView, PictureId::kLastFrame + 1> frames; // index 1 to 10
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
        for (int frame = PictureId::kFirstFrame; frame <= PictureId::kLastFrame; ++frame)
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
    if (frame < PictureId::kFirstFrame || frame > PictureId::kLastFrame)
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

QByteArrayView storedPicture(PictureId id)
{
    switch (id.kind()) {
    case PictureId::Kind::Scene:
        return locations().scene;
    case PictureId::Kind::ResultBall:
        return locations().resultBall;
    case PictureId::Kind::BallFrame:
        return storedPicture(id.frame());
    case PictureId::Kind::None:
        break;
    }
    qFatal("loadPicture: no picture");
}

QByteArrayView storedIcon()
{
    return locations().icon;
}

} // namespace dalmiro
