#pragma once

#include <QString>
#include <QWidget>

namespace dalmiro {

// A windowless label: one line of black text centred across its box from the
// box's top edge, on a transparent background, cut off at the box's edges.
// It takes no focus. For screen readers it is static text named after its
// rank and its caption ("Primo numero: 42"), and showing it asks them to
// announce it.
class LabelControl : public QWidget
{
    Q_OBJECT

public:
    // `rank` opens the accessible name, e.g. "Primo numero".
    explicit LabelControl(const QString &rank, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    // Shows or hides the label; a label that becomes shown is announced.
    void setShown(bool shown);

    // The bold sans-serif face all labels use.
    static QFont captionFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_rank;
    QString m_caption;
};

} // namespace dalmiro
