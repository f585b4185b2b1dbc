// Paints the program's pictures and writes them in the form the executable
// carries them. Run by the build: dalmiropainter OUTPUT_DIR
#include "resources/art/artwork.h"
#include "resources/dib.h"
#include "resources/quantize.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace dalmiro;

constexpr int kTableSize = 255;
constexpr int kIconTableSize = 256;
constexpr std::array<QRgb, 2> kLeading{qRgb(0, 0, 0), qRgb(255, 255, 255)};

// Colours that must come through the reduction exactly wherever the art uses
// them: the balls' grounds and the scene's flat fills beneath the slots, the
// pipe and column lines, the labels' and text panel's colours.
std::vector<QRgb> keptColours()
{
    // clang-format off
    std::vector<QRgb> kept{
        art::kChamberFill, art::kChamberFillAlt, art::kResultGround, art::kColumnLightest,
        art::kGlassHighlight, art::kSeamGlint, art::kBandDeepest,
        art::kColumnSide, art::kColumnTopLine, art::kColumnBottomLine,
        qRgb(187, 206, 205), // chamber wall, pipe walls
        qRgb(236, 252, 11),  // label outlines
        qRgb(252, 252, 5),   // text panel
        qRgb(252, 78, 4),    // good-luck line
        qRgb(253, 252, 252), // result ball plate
    };
    // clang-format on
    for (int grey = 221; grey <= 236; ++grey) // the column's cylinder shading
        kept.push_back(qRgb(grey, grey, grey));
    return kept;
}

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "dalmiropainter: %s\n", qPrintable(message));
    std::exit(EXIT_FAILURE);
}

QImage checked(const QImage &image, int width, int height, const char *what)
{
    if (image.width() != width || image.height() != height)
        fail(QStringLiteral("%1 is %2 x %3, expected %4 x %5")
                 .arg(QLatin1String(what))
                 .arg(image.width())
                 .arg(image.height())
                 .arg(width)
                 .arg(height));
    return image.convertToFormat(QImage::Format_RGB32);
}

void write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    // Untouched when unchanged, so that the embedding step does not rerun.
    QFile existing(dir.filePath(name));
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return;
    existing.close();
    QSaveFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("cannot write %1").arg(file.fileName()));
}

QByteArray indexed(const QImage &image)
{
    const std::vector<QRgb> kept = keptColours();
    return dib::encodeIndexed(dib::quantize(image, kTableSize, kLeading, kept));
}

// The icon's transparent pixels take index 0 and a set mask bit; the others
// share the remaining 255 entries.
QByteArray iconImage(const QImage &painted)
{
    const QImage icon = painted.convertToFormat(QImage::Format_ARGB32);
    if (icon.width() != dib::kIconSide || icon.height() != dib::kIconSide)
        fail(QStringLiteral("the icon is %1 x %2").arg(icon.width()).arg(icon.height()));
    std::vector<bool> transparent(std::size_t(dib::kIconSide * dib::kIconSide));
    std::vector<bool> opaque(transparent.size());
    for (int y = 0; y < dib::kIconSide; ++y) {
        for (int x = 0; x < dib::kIconSide; ++x) {
            const bool clear = qAlpha(icon.pixel(x, y)) < 128;
            transparent[std::size_t(y * dib::kIconSide + x)] = clear;
            opaque[std::size_t(y * dib::kIconSide + x)] = !clear;
        }
    }
    const std::array<QRgb, 1> leading{qRgb(0, 0, 0)};
    const dib::IndexedImage reduced = dib::quantize(icon.convertToFormat(QImage::Format_RGB32),
                                                    kIconTableSize, leading, {}, opaque);
    return dib::encodeIconImage(reduced, transparent);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // fonts need it
    if (argc != 2)
        fail(QStringLiteral("usage: dalmiropainter OUTPUT_DIR"));
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        fail(QStringLiteral("cannot create %1").arg(dir.path()));

    write(dir, QStringLiteral("RUOTA.dib"),
          indexed(checked(art::paintScene(1.0), 800, 600, "the scene")));
    for (int frame = 1; frame <= 10; ++frame)
        write(dir, QStringLiteral("%1.dib").arg(frame),
              indexed(checked(art::paintBallFrame(frame, 1.0), 45, 46, "a ball frame")));
    write(dir, QStringLiteral("PALLA.dib"),
          dib::encodeTrueColour(checked(art::paintResultBall(1.0), 45, 46, "the result ball")));

    const QByteArray icon = iconImage(art::paintIcon(1.0));
    const QByteArray iconFileBytes = dib::iconFile(icon);
    write(dir, QStringLiteral("icon.ico"), iconFileBytes);
    // For the icon theme: the same picture, decoded from the carried bytes.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!dib::decodeIcon(iconFileBytes).save(&buffer, "PNG"))
        fail(QStringLiteral("cannot encode the icon as PNG"));
    write(dir, QStringLiteral("icon.png"), png);
    // The Windows resource script files these as the icon image and its group.
    write(dir, QStringLiteral("icon-image.bin"), icon);
    write(dir, QStringLiteral("icon-group.bin"), dib::iconGroup(icon, 30001));
    return EXIT_SUCCESS;
}
