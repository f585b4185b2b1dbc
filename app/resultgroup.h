#pragma once

#include <QList>
#include <QWidget>

#include <array>

namespace dalmiro {

class LabelControl;

// The result column as assistive technologies see it: one group, "Numeri
// proposti", that holds the numbers of the finished or running draw, in draw
// order, the jolly last. It paints nothing and lies under the scene; the
// labels stay where the scene's stacking puts them. During a draw it holds
// the keyboard focus until the first number lands.
class ResultGroup : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kResults = 7;

    explicit ResultGroup(QWidget *parent = nullptr);

    // The labels numeri(0) to numeri(6), in draw order; each then names this
    // group as its accessible parent.
    void setResults(const std::array<LabelControl *, kResults> &labels);
    // The results now shown, in draw order.
    QList<LabelControl *> shownResults() const;

private:
    std::array<LabelControl *, kResults> m_results{};
};

} // namespace dalmiro
