#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <string>

namespace dalmiro::testing {

// Whether `shown` holds exactly `want` with its top left at `at`. A failure
// says in a few lines how they differ: where the picture would lie when it
// does not fit, else how many pixels differ and the first three of them.
inline ::testing::AssertionResult showsPictureAt(const QImage &shown, QPoint at, const QImage &want)
{
    const QRect area(at, want.size());
    if (!shown.rect().contains(area)) {
        return ::testing::AssertionFailure()
               << "a " << want.width() << " x " << want.height() << " picture at " << at.x() << ","
               << at.y() << " does not fit in the " << shown.width() << " x " << shown.height()
               << " image";
    }
    const auto hex = [](QRgb c) { return QColor::fromRgba(c).name(QColor::HexArgb).toStdString(); };
    int differing = 0;
    std::string first;
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
            const QRgb got = shown.pixel(at + QPoint(x, y));
            const QRgb expected = want.pixel(x, y);
            if (got == expected)
                continue;
            if (++differing <= 3) {
                first += "\n  at picture pixel " + std::to_string(x) + "," + std::to_string(y) +
                         ": " + hex(got) + " where the picture has " + hex(expected);
            }
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " of " << want.width() * want.height()
                                         << " pixels differ" << first;
}

} // namespace dalmiro::testing
