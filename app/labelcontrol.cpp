#include "app/labelcontrol.h"

#include "app/layout.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QPainter>

namespace dalmiro {
namespace {

// Plain widgets are exposed as a generic client area; a label reads better
// as static text.
QAccessibleInterface *labelAccessible(const QString &, QObject *object)
{
    if (auto *label = qobject_cast<LabelControl *>(object))
        return new QAccessibleWidget(label, QAccessible::StaticText);
    return nullptr;
}

} // namespace

LabelControl::LabelControl(const QString &rank, QWidget *parent) : QWidget(parent), m_rank(rank)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(labelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

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
    // setAccessibleName() raises the name-changed event itself.
    setAccessibleName(m_rank + QStringLiteral(": ") + caption);
    update();
}

void LabelControl::setShown(bool shown)
{
    const bool wasHidden = isHidden();
    setVisible(shown);
    if (shown && wasHidden) {
        QAccessibleEvent announce(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&announce);
    }
}

void LabelControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, m_caption);
}

} // namespace dalmiro
