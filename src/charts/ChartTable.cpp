#include "charts/ChartTable.h"

#include "texts/Texte.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kivo {

namespace {

ChartSeries constant(const QString& name, const Rgb& colour, double width, double value, int n)
{
    return {name, colour, width, true, std::vector<double>(size_t(n), value)};
}

} // namespace

ChartTable buildChartTable(const Records& records, int kind, bool absolut, const LimitFields& limits)
{
    ChartTable table;
    while (table.AnzahlWerte < kMaxReadings && records.at(kind, table.AnzahlWerte + 1).nr != 0) ++table.AnzahlWerte;
    const int n = table.AnzahlWerte;
    table.values.reserve(size_t(n));
    for (int i = 1; i <= n; ++i) {
        const double v = records.at(kind, i).wert;
        table.values.push_back(absolut ? std::fabs(v) : v);
    }
    if (limits.Esoll != 0) table.target = limits.Esoll;
    if (limits.Emin != 0 || limits.Emax != 0) table.limits = std::make_pair(limits.Emin, limits.Emax);
    return table;
}

std::pair<double, double> verticalScale(const std::vector<double>& values, const std::vector<double>& marks,
                                        int decimals, bool bar)
{
    if (values.empty() && marks.empty()) return {0, 1};
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const std::vector<double>* list : {&values, &marks})
        for (double v : *list) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (low == high) {
        const double unit = std::pow(10.0, -decimals);
        low -= unit;
        high += unit;
    }
    if (bar) {
        // Bars rise from the scale's edge or from 0: a tenth of the span
        // beyond the values on each side gives the smallest a bar, without
        // crossing 0, where the bars of readings of one sign begin.
        const double pad = (high - low) / 10;
        low = low >= 0 ? std::max(0.0, low - pad) : low - pad;
        high = high <= 0 ? std::min(0.0, high + pad) : high + pad;
    }
    return {low, high};
}

std::vector<double> visibleBarValues(const std::vector<double>& values, double yMin, double yMax, double plotHeight,
                                     double minPixels)
{
    const double base = std::clamp(0.0, yMin, yMax);
    const double least = plotHeight > 0 ? minPixels * (yMax - yMin) / plotHeight : 0;
    std::vector<double> shown = values;
    for (double& v : shown) {
        if (v == 0 || std::fabs(v - base) >= least) continue;
        v = v > base ? base + least : base - least;
    }
    return shown;
}

ChartLook mainChart(const ChartTable& table, int decimals)
{
    ChartLook look;
    const int n = table.AnzahlWerte;
    std::vector<double> marks;
    look.series.push_back({QString(), kValueColour, 2, false, table.values});
    if (table.target) {
        look.series.push_back(constant(QString(), kTargetColour, 1, *table.target, n));
        marks.push_back(*table.target);
    }
    if (table.limits) {
        // A limit of 0 is no limit: no line claims one.
        for (double limit : {table.limits->first, table.limits->second})
            if (limit != 0) {
                look.series.push_back(constant(QString(), kLimitColour, 1, limit, n));
                marks.push_back(limit);
            }
    }
    look.xMin = 0;
    look.xMax = n;
    std::tie(look.yMin, look.yMax) = verticalScale(table.values, marks, decimals);
    return look;
}

ChartLook windowChart(const ChartTable& table, bool bar, const LimitFields& limits, int decimals, bool german,
                      const QLocale& locale)
{
    ChartLook look;
    const int n = table.AnzahlWerte;
    look.bar = bar;
    look.xMin = 0;
    look.xMax = n;
    std::vector<double> marks;
    if (bar) {
        look.series.push_back({QStringLiteral("Data"), kValueColour, 1, false, table.values});
    } else {
        // Pens in the ratio 35 : 30 : 20 of readings, limits and target.
        look.series.push_back({tableText(Stat::Daten, german), kValueColour, 3.5, false, table.values});
        if (limits.Esoll > 0) {
            look.series.push_back(constant(tableText(Stat::Sollwert, german) + u' ' + locale.toString(limits.Esoll),
                                           kTargetColour, 2.0, limits.Esoll, n));
            marks.push_back(limits.Esoll);
        }
        // A limit of 0 is no limit: neither a line nor the legend claims one.
        for (const auto& [name, limit] : {std::pair(QStringLiteral("Minimum "), limits.Emin),
                                          std::pair(QStringLiteral("Maximum "), limits.Emax)})
            if (limit != 0) {
                look.series.push_back(constant(name + locale.toString(limit), kLimitColour, 3.0, limit, n));
                marks.push_back(limit);
            }
    }
    std::tie(look.yMin, look.yMax) = verticalScale(table.values, marks, decimals, bar);
    return look;
}

} // namespace kivo
