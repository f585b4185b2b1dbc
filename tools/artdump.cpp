// artdump DIR: writes every catalogue entry byte for byte as the program
// carries it (RUOTA.dib, PALLA.dib, 1.dib ... 10.dib, icon.ico) and a
// contact-sheet.png that shows them all: the scene with a ball in every slot,
// the bare scene, and the balls and the icon enlarged.
#include "app/layout.h"
#include "resources/catalogue.h"
#include "resources/icon.h"
#include "resources/storedpictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

using dalmiro::loadPicture;

constexpr int kMargin = 16;
constexpr int kEnlarge = 3;
constexpr int kCaption = 22;

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

QImage sceneWithBalls()
{
    QImage scene = loadPicture(u"RUOTA");
    QPainter p(&scene);
    const auto &slot = dalmiro::layout::kSlots;
    for (std::size_t i = 0; i < slot.size(); ++i)
        p.drawImage(slot[i], loadPicture(int(i % 10) + 1)); // every frame shows somewhere
    for (const QPoint &at : dalmiro::layout::kEstratto)
        p.drawImage(at, loadPicture(u"PALLA"));
    p.drawImage(dalmiro::layout::kJolly, loadPicture(u"Palla"));
    return scene;
}

void caption(QPainter &p, const QRect &box, const QString &text)
{
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
}

QImage contactSheet()
{
    const QImage withBalls = sceneWithBalls();
    const QImage bare = loadPicture(u"RUOTA");
    const int cell = 48 * kEnlarge + kMargin;
    const int width = std::max(2 * 800 + 3 * kMargin, 12 * cell + kMargin);
    const int height = kMargin + kCaption + 600 + kMargin + kCaption + 48 * kEnlarge + kMargin;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(qRgb(250, 250, 250));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(14);
    p.setFont(font);

    int y = kMargin;
    caption(p, {kMargin, y, 800, kCaption}, QStringLiteral("RUOTA with a ball in every slot"));
    caption(p, {2 * kMargin + 800, y, 800, kCaption}, QStringLiteral("RUOTA"));
    y += kCaption;
    p.drawImage(kMargin, y, withBalls);
    p.drawImage(2 * kMargin + 800, y, bare);
    y += 600 + kMargin;

    int x = kMargin;
    auto enlarged = [&](const QImage &picture, const QString &label) {
        caption(p, {x, y, cell - kMargin, kCaption}, label);
        const QRect target(x, y + kCaption, picture.width() * kEnlarge,
                           picture.height() * kEnlarge);
        if (picture.hasAlphaChannel()) { // a checkerboard shows what is transparent
            for (int cy = 0; cy < target.height(); cy += 8) {
                for (int cx = 0; cx < target.width(); cx += 8)
                    p.fillRect(target.x() + cx, target.y() + cy, 8, 8,
                               (cx / 8 + cy / 8) % 2 ? QColor(200, 200, 200)
                                                     : QColor(255, 255, 255));
            }
        }
        p.drawImage(target, picture);
        x += cell;
    };
    for (int frame = 1; frame <= 10; ++frame)
        enlarged(loadPicture(frame), QString::number(frame));
    enlarged(loadPicture(u"PALLA"), QStringLiteral("PALLA"));
    enlarged(dalmiro::iconImage(), QStringLiteral("icon"));
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: artdump DIR\n", stderr);
        return EXIT_FAILURE;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "artdump: cannot create %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    bool ok = writeFile(dir, QStringLiteral("RUOTA.dib"), dalmiro::storedPicture(u"RUOTA")) &&
              writeFile(dir, QStringLiteral("PALLA.dib"), dalmiro::storedPicture(u"PALLA")) &&
              writeFile(dir, QStringLiteral("icon.ico"), dalmiro::storedIcon());
    for (int frame = 1; ok && frame <= 10; ++frame)
        ok = writeFile(dir, QStringLiteral("%1.dib").arg(frame), dalmiro::storedPicture(frame));
    if (ok && !contactSheet().save(dir.filePath(QStringLiteral("contact-sheet.png")))) {
        std::fputs("artdump: cannot write contact-sheet.png\n", stderr);
        ok = false;
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
