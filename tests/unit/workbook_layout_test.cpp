// The spreadsheet export's data sheet and chart as values: the report's
// head, the statistics block, the table of readings, and the chart series.

#include "QtPrinters.h"
#include "output/WorkbookLayout.h"

#include <gtest/gtest.h>
#include <map>

using namespace kivo;

namespace {

using Sheet = std::map<std::pair<int, int>, SheetCell>;

Sheet byPlace(const WorkbookLayout& layout)
{
    Sheet sheet;
    for (const SheetCell& c : layout.cells) sheet[{c.row, c.col}] = c;
    return sheet;
}

QString textAt(const Sheet& s, int row, int col)
{
    const auto it = s.find({row, col});
    const QString* text = it == s.end() ? nullptr : std::get_if<QString>(&it->second.value);
    return text ? *text : QString();
}

double numberAt(const Sheet& s, int row, int col) { return std::get<double>(s.at({row, col}).value); }

WorkbookInput input(int readings)
{
    WorkbookInput in;
    in.reportP = QStringLiteral("  Speicher  \r\n\r\nStatistik:\r\n");
    in.stats.firstUnit = QStringLiteral("µm  ");
    in.stats.min = 10.04;
    in.stats.max = 30.06;
    in.stats.mean = 20.125;
    in.stats.stdDev = 10.015;
    in.statCount = readings;
    in.heading = {QStringLiteral("01.02.2024"), QStringLiteral("Nr."), QStringLiteral("Messwert"),
                  QStringLiteral("Messeinheit")};
    in.materialart = QStringLiteral("2");
    for (int i = 1; i <= readings; ++i)
        in.rows.push_back({QStringLiteral("10:00:0%1").arg(i), i, -10.04 * i, QStringLiteral("µm  "), QStringLiteral(" Fe")});
    in.chartTitle = QStringLiteral("Speicher");
    return in;
}

TEST(WorkbookLayout, HeadStatisticsAndTable)
{
    WorkbookInput in = input(3);
    in.limits.Emin = 5;
    in.limits.Emax = 40;
    in.limits.Esoll = 20;
    const WorkbookLayout layout = buildWorkbook(in, true);
    const Sheet s = byPlace(layout);
    EXPECT_EQ(layout.sheetName, u"Messwerte");
    EXPECT_EQ(textAt(s, 1, 0), u"Speicher"); // trimmed
    EXPECT_EQ(textAt(s, 2, 0), QString());   // an empty line stays an empty row
    EXPECT_EQ(textAt(s, 3, 0), u"Statistik:");
    // S = 4: count, minimum, maximum, mean, deviation (n > 2), limits, target
    const QStringList labels = {"Anzahl", "Minimum", "Maximum", "Mittelwert", "Std.Abweichung", "Min Limit",
                                "Max Limit", "Sollwert    "};
    for (int i = 0; i < labels.size(); ++i) EXPECT_EQ(textAt(s, 4 + i, 0), labels[i]) << i;
    EXPECT_EQ(numberAt(s, 4, 1), 3);
    EXPECT_EQ(s.at({4, 1}).numberFormat, u"###0_______)");
    EXPECT_EQ(numberAt(s, 7, 1), 20.12); // half to even
    EXPECT_EQ(numberAt(s, 8, 1), 10.02);
    EXPECT_EQ(s.at({8, 1}).numberFormat, u"###,##0.00_)");
    EXPECT_EQ(textAt(s, 5, 2), u"µm  ");
    // two empty rows, the heading, an empty row, the readings
    EXPECT_EQ(layout.headerRow, 14);
    EXPECT_EQ(textAt(s, 14, 4), u"Material");
    EXPECT_EQ(textAt(s, 16, 0), u" 10:00:01");
    EXPECT_EQ(textAt(s, 16, 1), u"   1");
    EXPECT_EQ(numberAt(s, 17, 2), -20.1); // rounded as the table shows it
    EXPECT_EQ(s.at({17, 2}).numberFormat, u"###,##0.0_)");
    EXPECT_EQ(textAt(s, 18, 4), u"Fe");
    EXPECT_EQ(layout.dataRows, 3);

    ASSERT_TRUE(layout.chart);
    QStringList names;
    for (const WorkbookSeries& series : layout.chart->series) names << series.name;
    EXPECT_EQ(names, QStringList({"Messwerte", "Mittelwert", "Maximum", "Minimum", "Sollwert    "}));
    EXPECT_TRUE(layout.chart->series[0].readings);

    // An upper limit of 0 is none: its cell stays, no line is drawn at 0.
    WorkbookInput noUpper = in;
    noUpper.limits.Emax = 0;
    const WorkbookLayout lower = buildWorkbook(noUpper, true);
    names.clear();
    for (const WorkbookSeries& series : lower.chart->series) names << series.name;
    EXPECT_EQ(names, QStringList({"Messwerte", "Mittelwert", "Minimum", "Sollwert    "}));
    EXPECT_EQ(layout.chart->series[1].values, std::vector<double>(3, 20.12)); // at the cell's rounded figure
    EXPECT_EQ(layout.chart->series[4].colour, (Rgb{238, 44, 44}));
}

TEST(WorkbookLayout, FewReadingsMixedUnitsAndAbsoluteValues)
{
    WorkbookInput two = input(2);
    two.german = false;
    two.absolut = true;
    two.stats.meanabs = 15.06;
    const WorkbookLayout small = buildWorkbook(two, true);
    const Sheet s = byPlace(small);
    EXPECT_EQ(small.sheetName, u"Data");
    EXPECT_EQ(textAt(s, 7, 0), u"Average");
    EXPECT_EQ(numberAt(s, 7, 1), 15.06);
    EXPECT_EQ(textAt(s, 8, 0), QString()); // no deviation with two readings
    EXPECT_EQ(s.at({8, 1}).numberFormat, u"###,##0.00_)"); // the column's format stays on the blank cell
    EXPECT_EQ(small.headerRow, 10);
    EXPECT_EQ(numberAt(s, 12, 2), 10.0); // absolute
    ASSERT_TRUE(small.chart);
    EXPECT_EQ(small.chart->series.size(), 2u);

    WorkbookInput mixed = input(2);
    mixed.stats.mixedUnits = true;
    const WorkbookLayout refused = buildWorkbook(mixed, true);
    const Sheet m = byPlace(refused);
    EXPECT_EQ(textAt(m, 4, 0), u" Statistik nicht möglich,");
    EXPECT_EQ(textAt(m, 6, 0), u" Messeinheiten ");
    EXPECT_EQ(refused.headerRow, 11); // four empty rows
    EXPECT_EQ(m.at({4, 1}).numberFormat, u"###0_______)");
    EXPECT_FALSE(refused.chart);
}

TEST(WorkbookLayout, RoundingAndValueFormats)
{
    EXPECT_EQ(roundHalfEven2(2.675), 2.68);
    EXPECT_EQ(roundHalfEven2(2.665), 2.66);
    EXPECT_EQ(roundHalfEven2(-0.125), -0.12);
    WorkbookInput in = input(1);
    in.stats.firstUnit = QStringLiteral("mVs ");
    in.rows[0].einheit = QStringLiteral("mVs ");
    in.rows[0].wert = 1.23456;
    const Sheet s = byPlace(buildWorkbook(in, false));
    EXPECT_EQ(s.at({12, 2}).numberFormat, u"###,##0.000_)");
    EXPECT_EQ(numberAt(s, 12, 2), 1.235); // three decimals, halves away from zero as shown
}

} // namespace
