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
    QStringList lines{tableName, QStringLiteral(" "),
                      texte.StatText(6) + (withAbsoluteHeading ? texte.StatText(11) : QString()),
                      QStringLiteral(" ")};
    if (s.mixedUnits) {
        lines << texte.StatText(7) << texte.StatText(8) << texte.StatText(9);
        return lines;
    }
    const auto line = [&](int label, const QString& number, bool withUnit) {
        QString text = (texte.StatText(label) + QString(16, u' ')).left(16)
                       + Ausrichten(8, number, QStringLiteral(" "), false);
        if (withUnit) text += u' ' + s.firstUnit;
        return text;
    };
    lines << line(1, QString::number(n), false) << line(3, s.anz_min, true) << line(2, s.anz_max, true)
          << line(4, s.anz_mean, true);
    if (n >= 2) lines << line(5, s.anz_dev, true);
    return lines;
}

} // namespace kivo
