// Paints the program's pictures and writes them in the form the executable
// carries them. Run by the build: dalmiropainter OUTPUT_DIR
//
// OUTPUT_DIR receives the catalogue (RUOTA.dib, PALLA.dib, 1.dib to 10.dib),
// the icon (icon.ico, and icon-image.bin and icon-group.bin for the Windows
// resource script); 2x/ and 3x/ the same pictures painted at 2 and 3 for
// high-density screens, in true colour; icons/N.png the icon at each size a desktop asks for,
// and icons/N.rgba the same as plain rows for the executable.
#include "resources/art/artwork.h"
#include "resources/dib.h"
#include "resources/icon.h"
#include "resources/quantize.h"
#include "resources/paintedscales.h"

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

QImage checked(const QImage &image, QSize size, int scale, const char *what)
{
    const QSize want = size * scale;
    if (image.size() != want)
        fail(QStringLiteral("%1 at %2 is %3 x %4, expected %5 x %6")
                 .arg(QLatin1String(what))
                 .arg(scale)
                 .arg(image.width())
                 .arg(image.height())
                 .arg(want.width())
                 .arg(want.height()));
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

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        fail(QStringLiteral("cannot encode a PNG"));
    return bytes;
}

// The catalogue's pictures painted at `scale`. At 1, in the stored form of
// the catalogue: the scene and the ball frames with their own colour tables,
// the result ball in true colour. The larger sets need no table: all of them
// are stored in true colour, exactly as painted, so that the soft shadows and
// glosses keep every level.
void writeSet(const QDir &dir, int scale)
{
    const QString at = scale == 1 ? QString() : QStringLiteral("%1x/").arg(scale);
    if (scale != 1 && !QDir().mkpath(dir.filePath(at)))
        fail(QStringLiteral("cannot create %1").arg(dir.filePath(at)));
    const auto stored = [scale](const QImage &painted) {
        return scale == 1 ? indexed(painted) : dib::encodeTrueColour(painted);
    };
    write(dir, at + QStringLiteral("RUOTA.dib"),
          stored(checked(art::paintScene(scale), {800, 600}, scale, "the scene")));
    for (int frame = 1; frame <= 10; ++frame)
        write(dir, at + QStringLiteral("%1.dib").arg(frame),
              stored(checked(art::paintBallFrame(frame, scale), {45, 46}, scale, "a ball frame")));
    write(dir, at + QStringLiteral("PALLA.dib"),
          dib::encodeTrueColour(
              checked(art::paintResultBall(scale), {45, 46}, scale, "the result ball")));
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

void writeIcons(const QDir &dir)
{
    const QByteArray icon = iconImage(art::paintIcon(1.0));
    const QByteArray iconFileBytes = dib::iconFile(icon);
    write(dir, QStringLiteral("icon.ico"), iconFileBytes);
    // The Windows resource script files these as the icon image and its group.
    write(dir, QStringLiteral("icon-image.bin"), icon);
    write(dir, QStringLiteral("icon-group.bin"), dib::iconGroup(icon, 30001));

    // For the window and the icon theme, every size painted afresh in full
    // colour with real alpha; the 48 one too, so that the menu never shows
    // the carried icon's hard mask. The theme takes PNG files; the executable
    // carries the same pictures as plain RGBA rows, which it reads without a
    // decoder at start-up.
    if (!QDir().mkpath(dir.filePath(QStringLiteral("icons"))))
        fail(QStringLiteral("cannot create %1/icons").arg(dir.path()));
    for (const int side : kIconSizes) {
        const QImage image = art::paintDesktopIcon(side).convertToFormat(QImage::Format_ARGB32);
        if (image.size() != QSize(side, side))
            fail(QStringLiteral("the %1 icon is %2 x %3")
                     .arg(side)
                     .arg(image.width())
                     .arg(image.height()));
        write(dir, QStringLiteral("icons/%1.png").arg(side), png(image));
        const QImage rows = image.convertToFormat(QImage::Format_RGBA8888);
        write(dir, QStringLiteral("icons/%1.rgba").arg(side),
              QByteArray(reinterpret_cast<const char *>(rows.constBits()), rows.sizeInBytes()));
    }
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

    for (const int scale : kPaintedScales)
        writeSet(dir, scale);
    writeIcons(dir);
    return EXIT_SUCCESS;
}
