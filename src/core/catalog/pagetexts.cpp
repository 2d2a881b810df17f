#include "core/catalog/pagetexts.h"

QString ShortestDecimal(double value) { return QString::number(value, 'g', 15); }

namespace Brennic {

QString BarText(BarKind kind, int position)
{
    switch (kind) {
    case BarKind::Seconds: return ShortestDecimal(position * Off::Brennic::SecondsPerStep) + QStringLiteral(" s");
    case BarKind::Percent: return QString::number(position) + QStringLiteral(" %");
    case BarKind::Bare: break;
    }
    return QString::number(position);
}

// A deceleration rate as the share of the last rate it keeps (125 -> "50 % of Last Rate").
QString RampPercentText(int rate)
{
    return ShortestDecimal(rate / double(Off::Brennic::RampMax) * 100.0) + QStringLiteral(" % of Last Rate");
}

}  // namespace Brennic

namespace CsCan {

QString IdText(int id) { return QStringLiteral("ID ") + QString::number(id); }

QString OutputText(int k, int position)
{
    if (k % 2 == 0) return QStringLiteral("Time Between Increases ") + QString::number(position) + QStringLiteral(" ms");
    return QStringLiteral("Increase Amount ") + QString::number(position);
}

QString OutputCaption(char port, int number) { return QStringLiteral("Output %1%2").arg(QLatin1Char(port)).arg(number); }

}  // namespace CsCan
