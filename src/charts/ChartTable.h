#pragma once
// The chart table of the table on show and the two charts drawn from it:
// the main window's chart and the chart window's line or bar chart. Pure:
// plain values in, a chart description out.

#include "charts/ChartLook.h"
#include "table/MeasurementTables.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace kivo {

struct ChartTable {
    int AnzahlWerte = 0;
    std::vector<double> values;  // readings (absolute while `absolut` is on)
    std::optional<double> target;            // Esoll, when set
    std::optional<std::pair<double, double>> limits; // Emin and Emax, when either is set (0: that one is not)
};

// The readings of `kind` up to the first whose number is 0.
ChartTable buildChartTable(const Records& records, int kind, bool absolut, const LimitFields& limits);

// The vertical scale: from the lowest to the highest value drawn, the
// reference lines that are set (`marks`) taken in, so none is drawn outside
// the plot. A span of no height (one reading, or all equal) is widened by
// one unit of the last shown decimal each way, so the line shows in the
// middle. For bars the scale reaches a tenth of the span beyond the values
// on each side, never across 0: bars rise from the scale's edge or from 0,
// and the smallest has a bar too.
std::pair<double, double> verticalScale(const std::vector<double>& values, const std::vector<double>& marks,
                                        int decimals, bool bar = false);

// The bars as drawn on a plot `plotHeight` pixels high: a reading whose bar
// would be thinner than `minPixels` (a reading tiny beside the largest) is
// drawn that high, so no reading looks like none; a reading of exactly 0
// has no bar. Bars rise from 0 where the scale holds it, else from its edge.
std::vector<double> visibleBarValues(const std::vector<double>& values, double yMin, double yMax, double plotHeight,
                                     double minPixels = 2);

// The main window's chart: the value line at twice the width of the
// reference lines.
ChartLook mainChart(const ChartTable& table, int decimals);

// The chart window's line chart (series named in the interface language,
// numbers in `locale`) or its bar chart of the readings alone.
ChartLook windowChart(const ChartTable& table, bool bar, const LimitFields& limits, int decimals, bool german,
                      const QLocale& locale);

} // namespace kivo
