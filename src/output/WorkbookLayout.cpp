#include "output/WorkbookLayout.h"

#include "shared/Align.h"
#include "table/NumberFormat.h"
#include "texts/Texte.h"

#include <cmath>
#include <map>

namespace kivo {

namespace {

// A reading's value as the table shows it, back as a number.
double shownValue(double value, const QString& unit)
{
    return QLocale::c().toDouble(FormatValue(value, unit, QLocale::c()).trimmed());
}

QString valueFormat(const QString& unit)
{
    if (unit.startsWith(QStringLiteral("Oe")) || unit.startsWith(u'G') || unit.startsWith(QStringLiteral("µm"))
        || unit.startsWith(QStringLiteral("A/cm")))
        return QStringLiteral("###,##0.0_)");
    if (unit.startsWith(QStringLiteral("mVs"))) return QStringLiteral("###,##0.000_)");
    return QStringLiteral("###,##0.00_)");
}

} // namespace

double roundHalfEven2(double value)
{
    // The decimal digits a person reads decide, not the binary value just
    // below them; std::nearbyint rounds a half to the even neighbour.
    return std::nearbyint(std::round(value * 100.0 * 1e6) / 1e6) / 100.0;
}

WorkbookLayout buildWorkbook(const WorkbookInput& in, bool withChart)
{
    WorkbookLayout out;
    const bool de = in.german;
    out.sheetName = tableText(Msg::Messwerte, de);
    auto text = [&](int row, int col, const QString& t, const QString& format = {}) {
        out.cells.push_back({row, col, t, format});
    };
    auto number = [&](int row, int col, double v, const QString& format = {}) {
        out.cells.push_back({row, col, v, format});
    };

    // The report's head, a line a row, trimmed; empty lines stay empty.
    int row = 1;
    QString rest = in.reportP;
    for (qsizetype e = rest.indexOf(QStringLiteral("\r\n")); e >= 0; e = rest.indexOf(QStringLiteral("\r\n"))) {
        const QString line = rest.left(e).trimmed();
        if (!line.isEmpty()) text(row, 0, line);
        ++row;
        rest = rest.mid(e + 2);
    }

    const Statistics& s = in.stats;
    const QString unit = s.firstUnit;
    const int statRow = row; // S
    // The figures the reference lines of the chart lie at, as their cells hold them.
    std::optional<double> meanCell, minLimitCell, maxLimitCell, targetCell;
    if (s.mixedUnits) {
        text(row++, 0, tableText(Stat::NichtMoeglich, de));
        text(row++, 0, tableText(Stat::DaVerschiedene, de));
        text(row++, 0, tableText(Stat::Messeinheiten, de));
        row += 4;
    } else {
        auto figure = [&](const QString& label, double v) {
            const double rounded = roundHalfEven2(v);
            text(row, 0, label);
            number(row, 1, rounded);
            text(row++, 2, unit);
            return rounded;
        };
        text(row, 0, tableText(Stat::Anzahl, de));
        number(row++, 1, in.statCount);
        figure(QStringLiteral("Minimum"), in.absolut ? s.minabs : s.min);
        figure(QStringLiteral("Maximum"), in.absolut ? s.maxabs : s.max);
        meanCell = figure(tableText(Stat::Mittelwert, de), in.absolut ? s.meanabs : s.mean);
        if (in.statCount > 2)
            figure(tableText(Stat::StdAbweichung, de), in.absolut ? s.stdDevAbs : s.stdDev);
        if (in.limits.Emin != 0 || in.limits.Emax != 0) {
            minLimitCell = figure(QStringLiteral("Min Limit"), in.limits.Emin);
            maxLimitCell = figure(QStringLiteral("Max Limit"), in.limits.Emax);
        }
        if (in.limits.Esoll != 0)
            targetCell = figure(tableText(Stat::Sollwert, de), in.limits.Esoll);
        row += 2;
    }
    out.columnWidths = {50, 0, 17, 15, 0};

    // The table: heading, an empty row, the readings.
    out.headerRow = row;
    for (int c = 0; c < 4; ++c) text(row, c, in.heading[size_t(c)]);
    const bool withMaterial = in.materialart.trimmed() != u"0";
    if (withMaterial) text(row, 4, QStringLiteral("Material"));
    const QString format = valueFormat(unit);
    std::vector<double> values;
    for (const ReportRow& r : in.rows) {
        if (r.wert == 0 && r.nr == 0) break;
        const int at = out.headerRow + 2 + int(values.size());
        const double v = shownValue(in.absolut ? std::fabs(r.wert) : r.wert, r.einheit);
        values.push_back(v);
        text(at, 0, u' ' + r.zeit);
        text(at, 1, Ausrichten(4, QString::number(r.nr), QStringLiteral(" "), false));
        number(at, 2, v, format);
        text(at, 3, r.einheit.left(10));
        if (withMaterial) text(at, 4, r.material.trimmed().left(10));
    }
    out.dataRows = int(values.size());

    // The formats belong to cells, not to what they hold: the statistics
    // column keeps its formats whatever the rows below the count hold, and
    // the value column its format for all n readings.
    std::map<std::pair<int, int>, QString> formatted;
    formatted[{statRow, 1}] = QStringLiteral("###0_______)");
    for (int r = statRow + 1; r <= statRow + 8; ++r) formatted[{r, 1}] = QStringLiteral("###,##0.00_)");
    for (int i = 1; i <= in.statCount; ++i) formatted[{out.headerRow + 1 + i, 2}] = format;
    for (SheetCell& cell : out.cells)
        if (auto it = formatted.find({cell.row, cell.col}); it != formatted.end()) {
            cell.numberFormat = it->second;
            formatted.erase(it);
        }
    for (const auto& [place, numberFormat] : formatted)
        out.cells.push_back({place.first, place.second, std::monostate(), numberFormat});

    if (!withChart || s.mixedUnits) return out;
    const size_t n = values.size();
    WorkbookChart chart;
    chart.title = in.chartTitle;
    chart.valueAxis = tableText(Msg::Messwerte, de);
    chart.categoryAxis = tableText(Stat::Anzahl, de);
    chart.series.push_back({phrase(Phrase::ChartReadings, de), Rgb{0, 0, 0},
                            WorkbookSeries::Line::Solid, values, true});
    chart.series.push_back({tableText(Stat::Mittelwert, de), Rgb{0, 0, 205},
                            WorkbookSeries::Line::SystemDot, std::vector<double>(n, meanCell.value_or(0))});
    // A limit of 0 is none: its cell stays, but no line is drawn at 0.
    if (maxLimitCell && in.limits.Emax != 0)
        chart.series.push_back({QStringLiteral("Maximum"), Rgb{0, 176, 80}, WorkbookSeries::Line::Dash,
                                std::vector<double>(n, *maxLimitCell)});
    if (minLimitCell && in.limits.Emin != 0)
        chart.series.push_back({QStringLiteral("Minimum"), Rgb{0, 176, 80}, WorkbookSeries::Line::Dash,
                                std::vector<double>(n, *minLimitCell)});
    if (targetCell)
        chart.series.push_back({tableText(Stat::Sollwert, de), Rgb{238, 44, 44}, WorkbookSeries::Line::Target,
                                std::vector<double>(n, *targetCell)});
    out.chart = chart;
    return out;
}

} // namespace kivo
