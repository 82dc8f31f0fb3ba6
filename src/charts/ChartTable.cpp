#include "charts/ChartTable.h"

#include <cmath>

namespace kivo {

namespace {

const QColor kValueColour(0, 0, 153);
const QColor kTargetColour(150, 0, 0);
const QColor kLimitColour(0, 130, 0);

ChartSeries constant(const QString& name, const QColor& colour, double width, double value, int n)
{
    return {name, colour, width, true, std::vector<double>(size_t(n), value)};
}

} // namespace

ChartTable buildChartTable(const Records& records, int kind, bool absolut, const LimitFields& limits)
{
    ChartTable table;
    while (table.AnzahlWerte < kMaxReadings && records.at(kind, table.AnzahlWerte + 1).nr != 0) ++table.AnzahlWerte;
    const int n = table.AnzahlWerte;
    table.labels.assign(size_t(n), QStringLiteral(" "));
    if (n > 0) table.labels.back() = QStringLiteral(" ") + QString::number(n);
    table.values.reserve(size_t(n));
    for (int i = 1; i <= n; ++i) {
        const double v = records.at(kind, i).wert;
        table.values.push_back(absolut ? std::fabs(v) : v);
    }
    if (limits.Esoll != 0) table.target = limits.Esoll;
    if (limits.Emin != 0 || limits.Emax != 0) table.limits = std::make_pair(limits.Emin, limits.Emax);
    return table;
}

std::pair<double, double> verticalScale(double low, double high, int decimals)
{
    if (low != high) return {low, high};
    const double unit = std::pow(10.0, -decimals);
    return {low - unit, high + unit};
}

ChartSpec mainChart(const ChartTable& table, double low, double high, int decimals)
{
    ChartSpec spec;
    const int n = table.AnzahlWerte;
    spec.series.push_back({QString(), kValueColour, 2, false, table.values});
    if (table.target) spec.series.push_back(constant(QString(), kTargetColour, 1, *table.target, n));
    if (table.limits) {
        spec.series.push_back(constant(QString(), kLimitColour, 1, table.limits->first, n));
        spec.series.push_back(constant(QString(), kLimitColour, 1, table.limits->second, n));
    }
    spec.xMin = 0;
    spec.xMax = n;
    std::tie(spec.yMin, spec.yMax) = verticalScale(low, high, decimals);
    return spec;
}

ChartSpec windowChart(const ChartTable& table, bool bar, const LimitFields& limits, double low, double high,
                      bool german, const QLocale& locale)
{
    ChartSpec spec;
    const int n = table.AnzahlWerte;
    spec.bar = bar;
    spec.xMin = 0;
    spec.xMax = n;
    spec.yMin = low;
    spec.yMax = high;
    if (bar) {
        spec.series.push_back({QStringLiteral("Data"), kValueColour, 1, false, table.values});
        return spec;
    }
    // Pens in the ratio 35 : 30 : 20 of readings, limits and target.
    spec.series.push_back({german ? QStringLiteral("Daten") : QStringLiteral("Data"), kValueColour, 3.5, false,
                           table.values});
    if (limits.Esoll > 0)
        spec.series.push_back(constant((german ? QStringLiteral("Sollwert    ") : QStringLiteral("Target value"))
                                           + u' ' + locale.toString(limits.Esoll),
                                       kTargetColour, 2.0, limits.Esoll, n));
    if (limits.Emin != 0 || limits.Emax != 0) {
        spec.series.push_back(constant(QStringLiteral("Minimum ") + locale.toString(limits.Emin), kLimitColour, 3.0,
                                       limits.Emin, n));
        spec.series.push_back(constant(QStringLiteral("Maximum ") + locale.toString(limits.Emax), kLimitColour, 3.0,
                                       limits.Emax, n));
    }
    return spec;
}

} // namespace kivo
