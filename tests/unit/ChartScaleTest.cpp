// The chart's scales: reading numbers labelled at a round step, and the
// vertical range that takes in every value and reference line drawn.

#include "charts/ChartTable.h"
#include "platform/ReadingAxis.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(ReadingAxis, WholeReadingNumbersAtARoundStepThatFits)
{
    struct Case {
        int count, fit;
        std::vector<int> labels;
    };
    const Case cases[] = {
        {6, 10, {1, 2, 3, 4, 5, 6}},           // each reading, none twice
        {12, 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {12, 8, {2, 4, 6, 8, 10, 12}},
        {12, 3, {5, 10}},
        {25, 5, {5, 10, 15, 20, 25}},
        {5000, 10, {500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000}},
        {4999, 10, {500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500}},
        {1, 0, {1}},
        {4, 1, {2, 4}}, // room for one label still shows two
        {0, 10, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(readingLabels(c.count, c.fit), c.labels) << c.count << " in " << c.fit;
    // Never more labels than fit, never none for a reading.
    for (int count = 1; count <= 3000; count += 7)
        for (int fit : {2, 3, 7, 10, 40}) {
            const auto labels = readingLabels(count, fit);
            EXPECT_FALSE(labels.empty());
            EXPECT_LE(int(labels.size()), fit) << count;
        }
}

TEST(ChartScale, TakesInEveryValueAndSetReferenceLine)
{
    using Range = std::pair<double, double>;
    EXPECT_EQ(verticalScale({12, 16, 11}, {}, 1), Range(11, 16));
    EXPECT_EQ(verticalScale({12, 16, 11}, {40, 50}, 1), Range(11, 50)); // limits above the readings
    EXPECT_EQ(verticalScale({12, 16}, {3}, 1), Range(3, 16));
    EXPECT_EQ(verticalScale({-1.106, 2.341, 0.013}, {}, 3), Range(-1.106, 2.341)); // signed readings
    // No height: one unit of the last decimal each way.
    EXPECT_EQ(verticalScale({100}, {}, 1), Range(99.9, 100.1));
    EXPECT_EQ(verticalScale({100}, {100}, 0), Range(99, 101));
    // Bars: a tenth of the span beyond the values, so the smallest has a
    // bar whether bars rise from the edge or from 0, never across 0.
    EXPECT_EQ(verticalScale({11, 16}, {}, 1, true), Range(10.5, 16.5));
    EXPECT_EQ(verticalScale({-5, -1}, {}, 1, true), Range(-5.4, -0.6));
    EXPECT_EQ(verticalScale({1, 1000}, {}, 1, true), Range(0, 1099.9));
    EXPECT_EQ(verticalScale({-5, 15}, {}, 1, true), Range(-7, 17));
}

TEST(ChartScale, ALimitThatIsNotSetWidensNothing)
{
    ChartTable table;
    table.AnzahlWerte = 3;
    table.values = {10, 12, 14};
    table.limits = std::make_pair(0.0, 20.0); // an upper limit only
    table.target = 9;
    const ChartLook main = mainChart(table, 1);
    EXPECT_EQ(main.series.size(), 3u); // the readings, the target, the upper limit
    EXPECT_EQ(main.yMin, 9);
    EXPECT_EQ(main.yMax, 20);
    LimitFields limits;
    limits.Emax = 20;
    limits.Esoll = 9;
    const ChartLook window = windowChart(table, false, limits, 1, true, QLocale::c());
    EXPECT_EQ(window.yMin, 9);
    EXPECT_EQ(window.yMax, 20);
    ASSERT_EQ(window.series.size(), 3u); // no line and no legend entry for the lower limit of 0
    EXPECT_EQ(window.series[2].name, QStringLiteral("Maximum 20"));
    const ChartLook bars = windowChart(table, true, limits, 1, true, QLocale::c());
    EXPECT_EQ(bars.series.size(), 1u);
    EXPECT_DOUBLE_EQ(bars.yMin, 9.6); // bars of the readings alone
    EXPECT_DOUBLE_EQ(bars.yMax, 14.4);
}

} // namespace
} // namespace kivo

namespace kivo {
namespace {

TEST(ChartScale, EveryReadingButZeroHasAVisibleBar)
{
    // 400 pixels for 0..1100: 2 pixels are 5.5 units.
    const std::vector<double> shown = visibleBarValues({1.0, 1000, 0.0, 3.0, 6.0}, 0, 1100, 400);
    EXPECT_DOUBLE_EQ(shown[0], 5.5); // a hairline of two pixels
    EXPECT_EQ(shown[1], 1000);
    EXPECT_EQ(shown[2], 0);          // no reading of size: no bar
    EXPECT_DOUBLE_EQ(shown[3], 5.5);
    EXPECT_EQ(shown[4], 6.0);        // thick enough as it is
    // Signed readings rise and fall from 0; a scale without 0 from its edge.
    EXPECT_DOUBLE_EQ(visibleBarValues({-0.5, 20}, -25, 25, 100)[0], -1.0);
    EXPECT_DOUBLE_EQ(visibleBarValues({10.51, 16}, 10.5, 16.5, 600)[0], 10.52);
}

} // namespace
} // namespace kivo
