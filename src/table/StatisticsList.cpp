#include "table/StatisticsList.h"

#include "shared/Align.h"
#include "table/NumberFormat.h"

#include <cmath>

namespace kivo {

void foldIn(Statistics& s, double value, const QString& unit, bool signedModel, bool absolut)
{
    const double v = signedModel ? value : std::fabs(value);
    if (s.firstUnit.isEmpty()) s.firstUnit = unit;
    if (unit != s.firstUnit) s.mixedUnits = true;
    s.sumValues += v;
    s.sumAbsValues += std::fabs(v);
    s.sumSquares += v * v;
    if (v < s.min) s.min = v;
    if (absolut && std::fabs(v) < s.minabs) s.minabs = std::fabs(v);
    if (v > s.max) s.max = v;
    if (absolut && std::fabs(v) > s.maxabs) s.maxabs = std::fabs(v);
}

double countedValue(double value, bool signedModel, bool absolut)
{
    return signedModel && !absolut ? value : std::fabs(value);
}

void computeDisplay(Statistics& s, int n, bool absolut, const QLocale& locale)
{
    s.mean = s.sumValues / n;
    s.meanabs = s.sumAbsValues / n;
    if (n > 1) {
        const double sum = absolut ? s.sumAbsValues : s.sumValues;
        const double variance = (s.sumSquares - sum * sum / n) / (n - 1);
        const double deviation = variance < 0 ? 0 : std::sqrt(variance); // rounding may dip below 0
        (absolut ? s.stdDevAbs : s.stdDev) = deviation;
    }
    const auto text = [&](double v) { return FormatValue(v, s.firstUnit, locale); };
    s.anz_max = text(absolut ? s.maxabs : s.max);
    s.anz_min = text(absolut ? s.minabs : s.min);
    s.anz_mean = text(absolut ? s.meanabs : s.mean);
    s.anz_dev = text(absolut ? s.stdDevAbs : s.stdDev);
}

QStringList statisticsLines(const Statistics& s, int n, const QString& tableName, bool withAbsoluteHeading,
                            const Texte& texte)
{
    const QString heading =
        texte.text(Stat::Statistik) + (withAbsoluteHeading ? texte.text(Stat::MitAbsolutwerten) : QString());
    QStringList lines{tableName, QStringLiteral(" "), heading, QStringLiteral(" ")};
    if (s.mixedUnits) {
        lines << texte.text(Stat::NichtMoeglich) << texte.text(Stat::DaVerschiedene) << texte.text(Stat::Messeinheiten);
        return lines;
    }
    const auto line = [&](Stat label, const QString& number, bool withUnit) {
        QString text = (texte.text(label) + QString(16, u' ')).left(16)
                       + Ausrichten(8, number, QStringLiteral(" "), false);
        if (withUnit) text += u' ' + s.firstUnit;
        return text;
    };
    lines << line(Stat::Anzahl, QString::number(n), false) << line(Stat::Minimum, s.anz_min, true)
          << line(Stat::Maximum, s.anz_max, true) << line(Stat::Mittelwert, s.anz_mean, true);
    if (n >= 2) lines << line(Stat::StdAbweichung, s.anz_dev, true);
    return lines;
}

} // namespace kivo
