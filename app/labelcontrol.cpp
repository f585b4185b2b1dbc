#include "app/labelcontrol.h"

#include "app/layout.h"

#include <QFontDatabase>
#include <QPainter>

namespace dalmiro {

LabelControl::LabelControl(const QString &rank, QWidget *parent) : QWidget(parent), m_rank(rank)
{
    resize(layout::kLabelBox);
    setFont(captionFont());
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QFont LabelControl::captionFont()
{
    static const QFont font = [] {
        // The face the layout was drawn with where it exists; otherwise a
        // sans-serif that every Debian desktop has.
        const QString preferred = QStringLiteral("MS Sans Serif");
        QFont f(QFontDatabase::hasFamily(preferred) ? preferred : QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(layout::kLabelFontPixels);
        f.setBold(true);
        return f;
    }();
    return font;
}

void LabelControl::setCaption(const QString &caption)
{
    m_caption = caption;
    updateAccessibleName(!isHidden());
    update();
}

void LabelControl::setShown(bool shown)
{
    // Named before it is shown and after it is hidden, so that no shown
    // label has a stale name and no hidden one a number.
    if (shown)
        updateAccessibleName(true);
    setVisible(shown);
    if (!shown)
        updateAccessibleName(false);
}

void LabelControl::updateAccessibleName(bool shown)
{
    // setAccessibleName() raises the name-changed event itself.
    setAccessibleName(shown ? m_rank + QStringLiteral(": ") + m_caption : m_rank);
}

void LabelControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, m_caption);
}

} // namespace dalmiro
