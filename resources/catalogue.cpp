#include "resources/catalogue.h"

#include "resources/dib.h"
#include "resources/storedpictures.h"

#include <QtEndian>

#include <cstdlib>

namespace dalmiro {

QImage loadPicture(int frame)
{
    return dib::decode(storedPicture(frame));
}

QImage loadPicture(QStringView name)
{
    return dib::decode(storedPicture(name));
}

QImage loadPicture(PictureId id)
{
    return dib::decode(storedPicture(id));
}

QSize pictureSize(PictureId id)
{
    // The information header gives the width, then the height, negative for
    // rows stored top down.
    const QByteArrayView stored = storedPicture(id);
    if (stored.size() < dib::kInfoHeaderSize)
        qFatal("picture catalogue: the picture %s is damaged", qPrintable(pictureKey(id)));
    const auto field = [&stored](int offset) {
        return qFromLittleEndian<qint32>(stored.data() + offset);
    };
    return {field(4), std::abs(field(8))};
}

QString pictureKey(PictureId id)
{
    switch (id.kind()) {
    case PictureId::Kind::Scene:
        return QStringLiteral("RUOTA");
    case PictureId::Kind::ResultBall:
        return QStringLiteral("PALLA");
    case PictureId::Kind::BallFrame:
        if (id.frame() >= PictureId::kFirstFrame && id.frame() <= PictureId::kLastFrame)
            return QString::number(id.frame());
        qFatal("picture catalogue: no picture with key %d", id.frame());
    case PictureId::Kind::None:
        break;
    }
    qFatal("picture catalogue: no picture");
}

PictureId pictureIdFor(QStringView key)
{
    if (key.compare(u"RUOTA", Qt::CaseInsensitive) == 0)
        return PictureId::scene();
    if (key.compare(u"PALLA", Qt::CaseInsensitive) == 0)
        return PictureId::resultBall();
    bool number = false;
    const int frame = key.toInt(&number);
    if (!number || frame < PictureId::kFirstFrame || frame > PictureId::kLastFrame)
        qFatal("picture catalogue: no picture with key \"%s\"", qPrintable(key.toString()));
    return PictureId::ballFrame(frame);
}

} // namespace dalmiro
