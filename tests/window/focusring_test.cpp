#include "windowfixture.h"

#include "app/command1button.h"

#include <QPushButton>

#include <cmath>
#include <cstdio>

namespace dalmiro::testing {
namespace {

// Contrast ratio of two colours, from their relative luminance (sRGB).
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Focused and unfocused, the button differs only in a ring along its edge, at
// least two pixels wide, that stands out at least 3:1 against what the
// unfocused button shows there and against the red band round it.
TEST_F(WindowTest, TheFocusRingIsThickAndStandsOutAgainstTheButtonAndTheBand)
{
    QPushButton *button = form().command1();
    form().activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = grabWindow();
    button->clearFocus();
    const QImage unfocused = grabWindow();

    // Across each side's middle, from the edge inwards: the pixels where the
    // ring lies, and the first one past it, which the ring leaves alone.
    const QRect area = button->geometry();
    const QPoint c = area.center();
    const struct
    {
        QPoint edge;
        QPoint inward;
    } sides[] = {{{area.left(), c.y()}, {1, 0}},
                 {{area.right(), c.y()}, {-1, 0}},
                 {{c.x(), area.top()}, {0, 1}},
                 {{c.x(), area.bottom()}, {0, -1}}};
    for (const auto &side : sides) {
        for (int depth = 0; depth <= Command1Button::kFocusRingWidth; ++depth) {
            const QPoint p = side.edge + side.inward * depth;
            const QRgb now = focused.pixel(p);
            const QRgb before = unfocused.pixel(p);
            std::printf("(%d,%d) depth %d: focused %06x unfocused %06x contrast %.2f band %.2f\n",
                        p.x(), p.y(), depth, now & 0xffffff, before & 0xffffff,
                        contrast(now, before), contrast(now, layout::kShape1Fill));
            if (depth == Command1Button::kFocusRingWidth) {
                EXPECT_EQ(now, before) << "the ring is wider than it says";
                continue;
            }
            EXPECT_GE(contrast(now, layout::kShape1Fill), 3.0);
            if (depth >= 1) // the outermost row is the button's own dark outline
                EXPECT_GE(contrast(now, before), 3.0) << depth;
        }
    }
}

} // namespace
} // namespace dalmiro::testing
