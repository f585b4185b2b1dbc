// artdump DIR: writes every catalogue entry byte for byte as the program
// carries it (RUOTA.dib, PALLA.dib, 1.dib ... 10.dib, icon.ico) and a
// contact-sheet.png that shows them all: the scene with a ball in every slot,
// the bare scene, the balls and the carried icon enlarged, and the desktop's
// icon at every size on a light and on a dark panel, one to one and, the
// small sizes, enlarged.
//
// artdump --scale S DIR: writes the pictures as a screen of device pixel ratio
// S shows them (the set painted at S, or a reduction of a larger one) as PNG
// files (RUOTA.png, PALLA.png, 1.png ... 10.png), and the contact sheet at S.
#include "app/layout.h"
#include "resources/catalogue.h"
#include "resources/icon.h"
#include "resources/paintedscales.h"
#include "resources/storedpictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using dalmiro::loadPictureForRatio;

constexpr int kMargin = 16;
constexpr int kEnlarge = 3;
constexpr int kCaption = 22;
constexpr int kIconZoom = 4;             // the small icons, enlarged
constexpr int kZoomedUpTo = 48;          // the largest enlarged
const QColor kLightPanel(240, 240, 240); // as a light desktop's menu
const QColor kDarkPanel(42, 42, 46);     // as a dark one's

bool writeFile(const QDir &dir, const QString &name, QByteArrayView bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "artdump: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

// The pictures a screen of the given ratio shows; at 1 the catalogue itself.
QImage picture(QStringView key, qreal ratio)
{
    return loadPictureForRatio(key, ratio);
}

QImage frame(int number, qreal ratio)
{
    return picture(QString::number(number), ratio);
}

QImage sceneWithBalls(qreal ratio)
{
    QImage scene = picture(u"RUOTA", ratio);
    QPainter p(&scene);
    const auto &slot = dalmiro::layout::kSlots;
    for (std::size_t i = 0; i < slot.size(); ++i)
        p.drawImage(slot[i], frame(int(i % 10) + 1, ratio)); // every frame shows somewhere
    for (const QPoint &at : dalmiro::layout::kEstratto)
        p.drawImage(at, picture(u"PALLA", ratio));
    p.drawImage(dalmiro::layout::kJolly, picture(u"Palla", ratio));
    return scene;
}

void caption(QPainter &p, const QRect &box, const QString &text)
{
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
}

// Laid out in logical pixels and painted at `ratio` device pixels to each.
QImage contactSheet(qreal ratio)
{
    const QImage withBalls = sceneWithBalls(ratio);
    const QImage bare = picture(u"RUOTA", ratio);
    const int cell = 48 * kEnlarge + kMargin;
    const int iconsWidth = [] {
        int w = kMargin;
        for (const int side : dalmiro::kIconSizes)
            w += side + kMargin + (side <= kZoomedUpTo ? side * kIconZoom + kMargin : 0);
        return w;
    }();
    const int width = std::max({2 * 800 + 3 * kMargin, 12 * cell + kMargin, iconsWidth});
    const int panel = kCaption + 256 + 2 * kMargin;
    const int height =
        kMargin + kCaption + 600 + kMargin + kCaption + 48 * kEnlarge + kMargin + 2 * panel;
    QImage sheet(int(std::lround(width * ratio)), int(std::lround(height * ratio)),
                 QImage::Format_RGB32);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(qRgb(250, 250, 250));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(14);
    p.setFont(font);

    int y = kMargin;
    caption(p, {kMargin, y, 800, kCaption}, QStringLiteral("RUOTA with a ball in every slot"));
    caption(p, {2 * kMargin + 800, y, 800, kCaption}, QStringLiteral("RUOTA"));
    y += kCaption;
    p.drawImage(QPoint(kMargin, y), withBalls);
    p.drawImage(QPoint(2 * kMargin + 800, y), bare);
    y += 600 + kMargin;

    int x = kMargin;
    auto enlarged = [&](const QImage &image, const QString &label) {
        caption(p, {x, y, cell - kMargin, kCaption}, label);
        const QSizeF logical = image.deviceIndependentSize();
        const QRect target(x, y + kCaption, int(std::lround(logical.width() * kEnlarge)),
                           int(std::lround(logical.height() * kEnlarge)));
        if (image.hasAlphaChannel()) { // a checkerboard shows what is transparent
            for (int cy = 0; cy < target.height(); cy += 8) {
                for (int cx = 0; cx < target.width(); cx += 8)
                    p.fillRect(target.x() + cx, target.y() + cy, 8, 8,
                               (cx / 8 + cy / 8) % 2 ? QColor(200, 200, 200)
                                                     : QColor(255, 255, 255));
            }
        }
        p.drawImage(target, image);
        x += cell;
    };
    for (int number = 1; number <= 10; ++number)
        enlarged(frame(number, ratio), QString::number(number));
    enlarged(picture(u"PALLA", ratio), QStringLiteral("PALLA"));
    enlarged(dalmiro::iconImage(), QStringLiteral("icon.ico"));
    y += kCaption + 48 * kEnlarge + kMargin;

    // The desktop's icon at every size it is painted, each shown one pixel
    // to one device pixel, then the small ones enlarged without smoothing,
    // on a light and on a dark panel.
    for (const QColor &ground : {kLightPanel, kDarkPanel}) {
        p.fillRect(QRect(0, y, width, panel), ground);
        p.setPen(ground == kDarkPanel ? QColor(230, 230, 230) : QColor(20, 20, 20));
        x = kMargin;
        for (const int side : dalmiro::kIconSizes) {
            QImage icon = dalmiro::iconImage(side);
            icon.setDevicePixelRatio(ratio);
            const int shown = int(std::ceil(side / ratio));
            p.drawText(QRect(x, y + kMargin, std::max(shown, 40), kCaption), Qt::AlignLeft,
                       QString::number(side));
            p.drawImage(QPoint(x, y + kMargin + kCaption), icon);
            x += shown + kMargin;
            if (side <= kZoomedUpTo) {
                p.drawText(QRect(x, y + kMargin, 80, kCaption), Qt::AlignLeft,
                           QStringLiteral("%1 x%2").arg(side).arg(kIconZoom));
                p.drawImage(QRect(x, y + kMargin + kCaption, side * kIconZoom, side * kIconZoom),
                            dalmiro::iconImage(side));
                x += side * kIconZoom + kMargin;
            }
        }
        y += panel;
    }
    return sheet;
}

bool dumpStored(const QDir &dir)
{
    bool ok = writeFile(dir, QStringLiteral("RUOTA.dib"), dalmiro::storedPicture(u"RUOTA")) &&
              writeFile(dir, QStringLiteral("PALLA.dib"), dalmiro::storedPicture(u"PALLA")) &&
              writeFile(dir, QStringLiteral("icon.ico"), dalmiro::storedIcon());
    for (int number = 1; ok && number <= 10; ++number)
        ok = writeFile(dir, QStringLiteral("%1.dib").arg(number), dalmiro::storedPicture(number));
    return ok;
}

bool savePng(const QImage &image, const QDir &dir, const QString &name)
{
    if (image.save(dir.filePath(name), "PNG"))
        return true;
    std::fprintf(stderr, "artdump: cannot write %s\n", qPrintable(dir.filePath(name)));
    return false;
}

bool dumpAtRatio(const QDir &dir, qreal ratio)
{
    bool ok = savePng(picture(u"RUOTA", ratio), dir, QStringLiteral("RUOTA.png")) &&
              savePng(picture(u"PALLA", ratio), dir, QStringLiteral("PALLA.png"));
    for (int number = 1; ok && number <= 10; ++number)
        ok = savePng(frame(number, ratio), dir, QStringLiteral("%1.png").arg(number));
    return ok;
}

int usage()
{
    std::fputs("usage: artdump [--scale S] DIR   (S from 1 to 3)\n", stderr);
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    qreal ratio = 0; // 0: the stored catalogue, byte for byte
    const char *target = nullptr;
    if (argc == 2) {
        target = argv[1];
    } else if (argc == 4 && std::strcmp(argv[1], "--scale") == 0) {
        bool number = false;
        ratio = QString::fromLocal8Bit(argv[2]).toDouble(&number);
        if (!number || ratio < 1 || ratio > 3)
            return usage();
        target = argv[3];
    } else {
        return usage();
    }
    const QDir dir(QString::fromLocal8Bit(target));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "artdump: cannot create %s\n", target);
        return EXIT_FAILURE;
    }
    const bool ok =
        (ratio == 0 ? dumpStored(dir) : dumpAtRatio(dir, ratio)) &&
        savePng(contactSheet(ratio == 0 ? 1.0 : ratio), dir, QStringLiteral("contact-sheet.png"));
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
