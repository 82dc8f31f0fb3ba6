// The running statistics and the statistics list beside the grid, compared
// whole: the layout lines up in the list's fixed-pitch font.

#include "QtPrinters.h"
#include "table/StatisticsList.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kivo;

namespace {

const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
const QLocale kEnglishLocale(QLocale::English, QLocale::UnitedStates);

struct Reading {
    double value;
    const char* unit;
};

struct Series {
    std::vector<Reading> readings;
    bool signedModel = false; // an RK model
    bool absolut = true;      // the switch is on at start-up
    bool withAbsoluteHeading = false;
    int language = kGerman;
};

class StatisticsListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        texte.FillMenuTexts();
        texte.FillMessageTexts(QStringLiteral("RK-MENO RIDIVORI V3.02"));
    }

    // Folds the readings in one by one, as the table does while rows
    // arrive, and returns the list after the last one.
    QStringList list(const Series& run)
    {
        texte.languageIndex = run.language;
        const QLocale& locale = run.language == kGerman ? kGermanLocale : kEnglishLocale;
        stats.reset();
        QStringList lines;
        int n = 0;
        for (const Reading& r : run.readings) {
            foldIn(stats, r.value, QString::fromUtf8(r.unit), run.signedModel, run.absolut);
            ++n;
            computeDisplay(stats, n, run.absolut, locale);
            lines = statisticsLines(stats, n, QStringLiteral("FE-Speicher"), run.withAbsoluteHeading, texte);
        }
        return lines;
    }

    static QStringList expected(std::initializer_list<const char*> lines)
    {
        QStringList out;
        for (const char* line : lines) out << QString::fromUtf8(line);
        return out;
    }

    Texte texte;
    Statistics stats;
};

TEST_F(StatisticsListTest, OneReadingHasNoDeviation)
{
    EXPECT_EQ(list({{{12.3, "µm  "}}}), expected({
        "FE-Speicher", " ", "Statistik:", " ",
        "Anzahl                 1",
        "Minimum                12,3 µm  ",
        "Maximum                12,3 µm  ",
        "Mittelwert             12,3 µm  ",
    }));
}

TEST_F(StatisticsListTest, SampleDeviationOfThreeReadings)
{
    EXPECT_EQ(list({{{10, "µm  "}, {12, "µm  "}, {14, "µm  "}}}), expected({
        "FE-Speicher", " ", "Statistik:", " ",
        "Anzahl                 3",
        "Minimum                10,0 µm  ",
        "Maximum                14,0 µm  ",
        "Mittelwert             12,0 µm  ",
        "Std.Abweichung          2,0 µm  ",
    }));
}

TEST_F(StatisticsListTest, EnglishUsesThePointAndEnglishLabels)
{
    Series run{{{10, "µm  "}, {12, "µm  "}, {14, "µm  "}}};
    run.language = kEnglish;
    EXPECT_EQ(list(run), expected({
        "FE-Speicher", " ", "Statistics:", " ",
        "Number                 3",
        "Minimum                10.0 µm  ",
        "Maximum                14.0 µm  ",
        "Average                12.0 µm  ",
        "Std.Deviation           2.0 µm  ",
    }));
}

TEST_F(StatisticsListTest, SignedModelWithAbsolutOff)
{
    Series run{{{-5, "µm  "}, {5, "µm  "}}};
    run.signedModel = true;
    run.absolut = false;
    run.language = kEnglish;
    EXPECT_EQ(list(run), expected({
        "FE-Speicher", " ", "Statistics:", " ",
        "Number                 2",
        "Minimum                -5.0 µm  ",
        "Maximum                 5.0 µm  ",
        "Average                 0.0 µm  ",
        "Std.Deviation           7.1 µm  ",
    }));
    EXPECT_NEAR(stats.stdDev, 7.0711, 1e-4);
}

TEST_F(StatisticsListTest, SignedModelWithAbsolutOn)
{
    Series run{{{-5, "µm  "}, {5, "µm  "}}};
    run.signedModel = true;
    run.withAbsoluteHeading = true;
    EXPECT_EQ(list(run), expected({
        "FE-Speicher", " ", "Statistik:  mit Absolutwerten", " ",
        "Anzahl                 2",
        "Minimum                 5,0 µm  ",
        "Maximum                 5,0 µm  ",
        "Mittelwert              5,0 µm  ",
        "Std.Abweichung          0,0 µm  ",
    }));
}

// Three equal readings: the running sums leave a variance just below 0.
TEST_F(StatisticsListTest, RoundingNeverGivesANegativeVariance)
{
    Series run{{{12.3, "µm  "}, {12.3, "µm  "}, {12.3, "µm  "}}};
    run.signedModel = true;
    run.absolut = false;
    EXPECT_EQ(list(run).last(), QStringLiteral("Std.Abweichung          0,0 µm  "));
    EXPECT_EQ(stats.stdDev, 0);
}

TEST_F(StatisticsListTest, UnsignedModelTakesTheSizeWhateverTheSwitch)
{
    const QStringList ofFive = expected({
        "FE-Speicher", " ", "Statistik:", " ",
        "Anzahl                 2",
        "Minimum                 5,0 µm  ",
        "Maximum                 5,0 µm  ",
        "Mittelwert              5,0 µm  ",
        "Std.Abweichung          0,0 µm  ",
    });
    for (bool absolut : {false, true}) {
        Series run{{{-5, "µm  "}, {5, "µm  "}}};
        run.absolut = absolut;
        EXPECT_EQ(list(run), ofFive) << (absolut ? "absolut on" : "absolut off");
    }
}

TEST_F(StatisticsListTest, TheUnitChoosesTheDecimals)
{
    Series run{{{1.23456, "mVs "}, {2.5, "mVs "}}};
    run.language = kEnglish;
    EXPECT_EQ(list(run), expected({
        "FE-Speicher", " ", "Statistics:", " ",
        "Number                 2",
        "Minimum               1.235 mVs ",
        "Maximum               2.500 mVs ",
        "Average               1.867 mVs ",
        "Std.Deviation         0.895 mVs ",
    }));
    run.readings = {{5, "mils"}, {1234.5, "mils"}};
    EXPECT_EQ(list(run).mid(5, 2), expected({
        "Minimum                5.00 mils",
        "Maximum             1234.50 mils",
    }));
}

TEST_F(StatisticsListTest, MixedUnitsGiveNoStatistics)
{
    EXPECT_EQ(list({{{3, "G   "}, {4, "G   "}, {12, "A/cm"}}}), expected({
        "FE-Speicher", " ", "Statistik:", " ",
        " Statistik nicht möglich,",
        " da verschiedene",
        " Messeinheiten ",
    }));
    // One reading of another unit hides the statistics for the rest of the table.
    Series run{{{3, "G   "}, {12, "A/cm"}, {4, "G   "}}};
    run.language = kEnglish;
    EXPECT_EQ(list(run), expected({
        "FE-Speicher", " ", "Statistics:", " ",
        " Statistics not possible",
        " cause of different",
        " measurement units",
    }));
}

TEST_F(StatisticsListTest, UnitsCompareWithTheirTrailingBlanks)
{
    EXPECT_TRUE(list({{{3, "G   "}, {4, "G"}}}).contains(QStringLiteral(" da verschiedene")));
}

TEST_F(StatisticsListTest, ResetStartsAfreshWithTheNextUnit)
{
    list({{{3, "G   "}, {12, "A/cm"}}});
    EXPECT_TRUE(stats.mixedUnits);
    EXPECT_EQ(list({{{12, "A/cm"}}}), expected({
        "FE-Speicher", " ", "Statistik:", " ",
        "Anzahl                 1",
        "Minimum                12,0 A/cm",
        "Maximum                12,0 A/cm",
        "Mittelwert             12,0 A/cm",
    }));
}

} // namespace
