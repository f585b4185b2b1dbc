#include "app/resultgroup.h"

#include "app/labelcontrol.h"

namespace dalmiro {

ResultGroup::ResultGroup(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Numeri proposti"));
    // Focus comes only from the window, when a draw begins.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ResultGroup::setResults(const std::array<LabelControl *, kResults> &labels)
{
    m_results = labels;
    for (LabelControl *label : m_results)
        label->setGroup(this);
}

QList<LabelControl *> ResultGroup::shownResults() const
{
    QList<LabelControl *> shown;
    for (LabelControl *label : m_results)
        if (label && !label->isHidden())
            shown.append(label);
    return shown;
}

} // namespace dalmiro
