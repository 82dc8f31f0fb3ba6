// The charts as the operator sees them, compared whole: the main window's
// chart in place of the statistics, and the chart window's line and bar
// charts, in German and English.

#include "MeasurementText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Series {
    QString name;
    const char* colour;
    double width;
    bool broken;
    QList<double> values;
};

// The reading numbers 1 to n, each labelled.
QList<int> upTo(int n)
{
    QList<int> numbers;
    for (int i = 1; i <= n; ++i) numbers << i;
    return numbers;
}

// A chart as drawn: `readings` readings (the axis runs half a reading beyond
// the first and the last), the reading numbers labelled, the vertical scale
// in four divisions.
QJsonObject chart(const char* type, const QList<Series>& series, int readings, const QList<int>& labels, double yMin,
                  double yMax)
{
    const double half = 0.5;
    QJsonArray labelled;
    for (int n : labels) labelled.append(n);
    QJsonArray list;
    for (const Series& s : series) {
        QJsonArray values;
        for (double v : s.values) values.append(v);
        list.append(QJsonObject{{u"name"_s, s.name},
                                {u"colour"_s, QString::fromLatin1(s.colour)},
                                {u"width"_s, s.width},
                                {u"style"_s, s.broken ? u"broken"_s : u"solid"_s},
                                {u"values"_s, values}});
    }
    return QJsonObject{{u"type"_s, QString::fromLatin1(type)},
                       {u"series"_s, list},
                       {u"x"_s, QJsonObject{{u"min"_s, half}, {u"max"_s, readings + half}, {u"labels"_s, labelled}}},
                       {u"y"_s, QJsonObject{{u"min"_s, yMin}, {u"max"_s, yMax}, {u"divisions"_s, 4}}}};
}

std::string text(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }

// A ZORMA-PROBA with the given readings (number, value, unit) in memory 1.
RawGauge& startGauge(DownloadBench& bench, const QList<std::tuple<int, QByteArray, const char*>>& readings)
{
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(),
                 {"ZR-1 ZORMA-PROBA\r\nVD: 3.41\r\nM1:" + QByteArray::number(readings.size()) + "\r\n\x04"});
    QByteArray dump = "ZR-1 ZORMA-PROBA M1\r\n\x02\r\n";
    for (const auto& [number, value, unit] : readings) dump += recordLine(number, value.constData(), unit, "Fe") + "\r\n";
    gauge.answer(kMemory1.toLatin1(), {dump + '\x04'});
    return gauge;
}

TEST(Chart, OneReadingAReadingNumberedZeroAndMixedUnits)
{
    {
        DownloadBench bench("ZR", PortType::Cable);
        bench.setLocale(u"de_DE"_s);
        ASSERT_TRUE(startGauge(bench, {{1, "100.0", "µm"}}).ready());
        const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\ndump\nclick cmdChart\ndump\n"_s);
        ASSERT_EQ(result.dumps.size(), 2);
        const Dump& shown = result.dumps[0];
        // One reading: a span of no height is widened around it.
        const QJsonObject expected = chart("line", {{QString(), "#000099", 2, false, {100}}}, 1, {1}, 99.9, 100.1);
        EXPECT_EQ(shown.chart(u"MSChart1"_s), expected) << text(shown.chart(u"MSChart1"_s));
        EXPECT_EQ(shown.text(u"cmdChart"_s), u"Stat"_s);
        EXPECT_EQ(shown.text(u"txtMittelwert"_s), u"_ _ _Mittelwert       100,0"_s);
        EXPECT_FALSE(shown.visible(u"lstStat"_s));
        EXPECT_TRUE(shown.visible(u"cmdGross"_s));
        const Dump& back = result.dumps[1];
        EXPECT_TRUE(back.chart(u"MSChart1"_s).isEmpty());
        EXPECT_TRUE(back.visible(u"lstStat"_s));
        EXPECT_EQ(back.text(u"cmdChart"_s), u"Chart"_s);
    }
    {
        // A reading numbered 0 ends the chart, though the table shows more.
        DownloadBench bench("ZR", PortType::Cable);
        ASSERT_TRUE(startGauge(bench, {{1, "10.0", "µm"}, {2, "20.0", "µm"}, {0, "30.0", "µm"}, {4, "40.0", "µm"}}).ready());
        const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\ndump\n"_s);
        ASSERT_EQ(result.dumps.size(), 1);
        EXPECT_EQ(result.dumps[0].gridRows().size(), 5);
        EXPECT_EQ(result.dumps[0].chart(u"MSChart1"_s),
                  chart("line", {{QString(), "#000099", 2, false, {10, 20}}}, 2, {1, 2}, 10, 20));
    }
    {
        DownloadBench bench("ZR", PortType::Cable);
        ASSERT_TRUE(startGauge(bench, {{1, "10.0", "µm"}, {2, "20.0", "mVs"}}).ready());
        const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\ndump\n"_s);
        ASSERT_EQ(result.dumps.size(), 1);
        EXPECT_TRUE(result.dumps[0].chart(u"MSChart1"_s).isEmpty()) << "a chart of mixed units";
        EXPECT_EQ(result.dumps[0].text(u"cmdChart"_s), u"Chart"_s);
    }
}

QList<std::tuple<int, QByteArray, const char*>> twentyFive()
{
    QList<std::tuple<int, QByteArray, const char*>> readings;
    for (int n = 1; n <= 25; ++n) readings.append({n, QByteArray::number(10 + n % 7) + ".0", "µm"});
    return readings;
}

QList<double> values25()
{
    QList<double> values;
    for (int n = 1; n <= 25; ++n) values << 10 + n % 7;
    return values;
}

TEST(Chart, ReferenceLinesInBothChartsAndTheChartWindow)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startGauge(bench, twentyFive()).ready());
    bench.settingsFile(u"ZORMA-PROBA RIDIVORI"_s, u"Limit.ini"_s, "0;15,5;12;\r\n"); // only an upper limit and a target
    const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\ndump\nclick cmdGross\ndump\n"_s
                                             + u"click frmChartG.cmdChartType\ndump\nclick frmChartG.cmdChartType\ndump\n"_s
                                             + u"close frmChartG\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 5);
    const QList<double> values = values25();
    auto flat = [](double v) { return QList<double>(25, v); };
    // Only the limit that is set has a line: a lower limit of 0 is none.
    EXPECT_EQ(result.dumps[0].chart(u"MSChart1"_s),
              chart("line",
                    {{QString(), "#000099", 2, false, values}, {QString(), "#960000", 1, true, flat(12)},
                     {QString(), "#008200", 1, true, flat(15.5)}},
                    25, {5, 10, 15, 20, 25}, 10, 16))
        << text(result.dumps[0].chart(u"MSChart1"_s));
    const QJsonObject line = chart("line",
                                   {{u"Daten"_s, "#000099", 3.5, false, values},
                                    {u"Sollwert     12"_s, "#960000", 2, true, flat(12)},
                                    {u"Maximum 15,5"_s, "#008200", 3, true, flat(15.5)}},
                                   25, upTo(25), 10, 16);
    EXPECT_EQ(result.dumps[1].chart(u"frmChartG.MSChartG"_s), line) << text(result.dumps[1].chart(u"frmChartG.MSChartG"_s));
    EXPECT_EQ(result.dumps[1].text(u"frmChartG.lblMean"_s), u"Mittelwert        12,9"_s);
    EXPECT_EQ(result.dumps[1].text(u"frmChartG.cmdChartType"_s), u"Linie / Balken"_s);
    EXPECT_EQ(result.dumps[2].chart(u"frmChartG.MSChartG"_s),
              chart("bar", {{u"Data"_s, "#000099", 1, false, values}}, 25, upTo(25), 9.4, 16.6));
    EXPECT_EQ(result.dumps[3].chart(u"frmChartG.MSChartG"_s), line) << text(result.dumps[3].chart(u"frmChartG.MSChartG"_s)); // the reference lines come back
    EXPECT_TRUE(result.dumps[4].chart(u"frmChartG.MSChartG"_s).isEmpty());
    EXPECT_FALSE(result.dumps[4].chart(u"MSChart1"_s).isEmpty());
}

TEST(Chart, TheChartWindowInEnglish)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"en_US"_s);
    ASSERT_TRUE(startGauge(bench, twentyFive()).ready());
    bench.settingsFile(u"ZORMA-PROBA RIDIVORI"_s, u"Limit.ini"_s, "0;0;12.5;\r\n");
    const DriveResult result = bench.connect(kUntilIdle + u"click English\nclick cmdChart\nclick cmdGross\ndump\nclose frmChartG\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(d.chart(u"frmChartG.MSChartG"_s),
              chart("line",
                    {{u"Data"_s, "#000099", 3.5, false, values25()},
                     {u"Target value 12.5"_s, "#960000", 2, true, QList<double>(25, 12.5)}},
                    25, upTo(25), 10, 16));
    EXPECT_EQ(d.text(u"frmChartG.cmdChartType"_s), u"Line / Bar"_s);
    EXPECT_EQ(d.text(u"txtMittelwert"_s), u"_ _ _Average        12.9"_s);
}

TEST(Chart, AbsoluteValuesKeepTheLimitsSign)
{
    // RK gauges show absolute values from the start: values and scale are
    // absolute, the limit lines keep their own values.
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {"RK-SIVAR\r\nVD: 2.05\r\nM1:3\r\n\x04"});
    gauge.answer(kMemory1.toLatin1(), {"RK-SIVAR M1 3\r\n\x02\r\n" + recordLine(1, "-5.0", "µm") + "\r\n"
                                       + recordLine(2, "10.0", "µm") + "\r\n" + recordLine(3, "-20.0", "µm") + "\r\n\x04"});
    bench.settingsFile(u"RK-SIVAR RIDIVORI"_s, u"Limit.ini"_s, "8;15;0;\r\n");
    const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(result.dumps[0].chart(u"MSChart1"_s),
              chart("line",
                    {{QString(), "#000099", 2, false, {5, 10, 20}}, {QString(), "#008200", 1, true, {8, 8, 8}},
                     {QString(), "#008200", 1, true, {15, 15, 15}}},
                    3, {1, 2, 3}, 5, 20))
        << text(result.dumps[0].chart(u"MSChart1"_s));
}

QList<std::tuple<int, QByteArray, const char*>> readingsFrom(const QList<double>& values)
{
    QList<std::tuple<int, QByteArray, const char*>> readings;
    for (qsizetype i = 0; i < values.size(); ++i) readings.append({int(i + 1), QByteArray::number(values[i], 'f', 1), "µm"});
    return readings;
}

QList<int> labelsOf(const QJsonObject& chart)
{
    QList<int> labels;
    for (const QJsonValue& v : chart.value(u"x").toObject().value(u"labels").toArray()) labels << v.toInt();
    return labels;
}

std::pair<double, double> verticalOf(const QJsonObject& chart)
{
    const QJsonObject y = chart.value(u"y").toObject();
    return {y.value(u"min").toDouble(), y.value(u"max").toDouble()};
}

// Every value of the chart's first series on the plot; `bar`: each above the
// bottom, so it has a bar of some height.
void expectAllOnThePlot(const QJsonObject& chart, const char* what)
{
    const auto [low, high] = verticalOf(chart);
    const bool bar = chart.value(u"type").toString() == u"bar";
    for (const QJsonValue& v : chart.value(u"series").toArray().at(0).toObject().value(u"values").toArray()) {
        EXPECT_LE(v.toDouble(), high) << what;
        if (bar)
            EXPECT_GT(v.toDouble(), low) << what << ": the reading " << v.toDouble() << " has no bar";
        else
            EXPECT_GE(v.toDouble(), low) << what;
    }
}

TEST(Chart, AxesLabelWholeReadingsAndTakeInEverythingDrawn)
{
    {
        // Six readings, a target and an upper limit above them all: the
        // scale reaches the limit; each reading number once, in its place.
        DownloadBench bench("ZR", PortType::Cable);
        bench.setLocale(u"de_DE"_s);
        ASSERT_TRUE(startGauge(bench, readingsFrom({12, 14, 11, 16, 13, 15})).ready());
        bench.settingsFile(u"ZORMA-PROBA RIDIVORI"_s, u"Limit.ini"_s, "0;50;40;\r\n");
        const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\ndump\nclick cmdGross\ndump\n"_s
                                                 + u"click frmChartG.cmdChartType\ndump\nclose frmChartG\n"_s);
        ASSERT_EQ(result.dumps.size(), 3);
        const QJsonObject main = result.dumps[0].chart(u"MSChart1"_s);
        const QJsonObject line = result.dumps[1].chart(u"frmChartG.MSChartG"_s);
        const QJsonObject bar = result.dumps[2].chart(u"frmChartG.MSChartG"_s);
        EXPECT_EQ(labelsOf(main), upTo(6));
        EXPECT_EQ(labelsOf(line), upTo(6));
        EXPECT_EQ(labelsOf(bar), upTo(6));
        EXPECT_EQ(verticalOf(main), std::make_pair(11.0, 50.0));
        EXPECT_EQ(verticalOf(line), std::make_pair(11.0, 50.0));
        // The bars: the smallest reading (11) has one too.
        EXPECT_EQ(verticalOf(bar), std::make_pair(10.5, 16.5));
        expectAllOnThePlot(bar, "bar chart");
    }
    {
        // Twelve readings in the chart window: 1 to 12, none left out.
        DownloadBench bench("ZR", PortType::Cable);
        ASSERT_TRUE(startGauge(bench, readingsFrom({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})).ready());
        const DriveResult result = bench.connect(kUntilIdle + u"click cmdChart\nclick cmdGross\ndump\nclose frmChartG\n"_s);
        ASSERT_EQ(result.dumps.size(), 1);
        EXPECT_EQ(labelsOf(result.dumps[0].chart(u"frmChartG.MSChartG"_s)), upTo(12));
    }
}

// A DORNA's readings carry a sign: whether "+/-" shows them absolute or
// signed, every value drawn stands on the plot.
TEST(Chart, SignedReadingsStayOnThePlot)
{
    DownloadBench bench("DOR", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {"DORNA-1\r\nVD: 1.10\r\n\x04"});
    QByteArray wire;
    const char* values[] = {"2.315", "-1.106", "0.013", "2.341", "-0.042", "2.289"};
    for (int n = 1; n <= 6; ++n) wire += recordLine(n, values[n - 1], "mVs") + "\r\n";
    const QString charts = u"click cmdChart\ndump\nclick cmdGross\ndump\nclick frmChartG.cmdChartType\ndump\n"_s
                           u"close frmChartG\nclick cmdChart\n"_s;
    const DriveResult result =
        bench.connect(kUntilIdle + u"dump\nwait-ms 1200\nclick cmdStop\n"_s + kUntilIdle + charts + u"click cmdAbs\n"_s + charts,
                      [&](int index) {
                          if (index == 0) gauge.feed(wire);
                      });
    ASSERT_EQ(result.dumps.size(), 7);
    for (int i = 1; i < 7; ++i) {
        const Dump& d = result.dumps[i];
        const QJsonObject chart = i % 3 == 1 ? d.chart(u"MSChart1"_s) : d.chart(u"frmChartG.MSChartG"_s);
        ASSERT_FALSE(chart.isEmpty()) << i;
        ASSERT_EQ(chart.value(u"series").toArray().at(0).toObject().value(u"values").toArray().size(), 6) << i;
        expectAllOnThePlot(chart, i < 4 ? "as opened" : "after +/-");
    }
    // One of the two views is signed.
    const auto [low, high] = verticalOf(result.dumps[4].chart(u"MSChart1"_s));
    const auto [lowBefore, highBefore] = verticalOf(result.dumps[1].chart(u"MSChart1"_s));
    EXPECT_DOUBLE_EQ(std::min(low, lowBefore), -1.106);
    EXPECT_DOUBLE_EQ(std::max(high, highBefore), 2.341);
}

} // namespace
