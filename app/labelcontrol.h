#pragma once

#include <QString>
#include <QWidget>

namespace dalmiro {

// A windowless label: one line of black text centred across its box from the
// box's top edge, on a transparent background, cut off at the box's edges.
// It takes no focus from the keyboard or the mouse. For screen readers it is
// static text named after its rank, and while it is shown also after its
// caption ("Primo numero: 42"); a hidden label has no number in its name.
class LabelControl : public QWidget
{
    Q_OBJECT

public:
    // `rank` opens the accessible name, e.g. "Primo numero".
    explicit LabelControl(const QString &rank, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    void setShown(bool shown);

    // The group that screen readers see the label in; by default its parent.
    void setGroup(QWidget *group) { m_group = group; }
    QWidget *group() const { return m_group; }

    // The bold sans-serif face all labels use.
    static QFont captionFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateAccessibleName(bool shown);

    QWidget *m_group = nullptr;
    QString m_rank;
    QString m_caption;
};

} // namespace dalmiro
