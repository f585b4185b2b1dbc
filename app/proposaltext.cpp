#include "app/proposaltext.h"

#include <QStringList>

namespace dalmiro {
namespace {

constexpr std::size_t kMainNumbers = 6;
constexpr std::size_t kJolly = 6;

QStringList mainNumbers(const DrawnNumbers &numbers)
{
    QStringList main;
    for (std::size_t i = 0; i < kMainNumbers; ++i)
        main.append(QString::number(numbers[i]));
    return main;
}

} // namespace

QString proposalLine(const DrawnNumbers &numbers)
{
    return mainNumbers(numbers).join(QLatin1Char(' ')) + QStringLiteral(" Jolly ") +
           QString::number(numbers[kJolly]);
}

QString proposalSummary(const DrawnNumbers &numbers)
{
    return QStringLiteral("Numeri proposti: ") + mainNumbers(numbers).join(QStringLiteral(", ")) +
           QStringLiteral(". Jolly: ") + QString::number(numbers[kJolly]) + QLatin1Char('.');
}

} // namespace dalmiro
