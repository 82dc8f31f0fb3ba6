// The running statistics and the statistics list beside the grid, compared
// whole: the layout lines up in the list's fixed-pitch font.

#include "QtPrinters.h"
#include "table/StatisticsList.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kivo;

namespace {

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
        texte.FillMessageTexts("RK-MENO RIDIVORI V3.02");
    }

    // Folds the readings in one by one, as the table does while rows
    // arrive, and returns the list after the last one.
    QStringList list(const Series& run)
    {
        texte.languageIndex = run.language;
        const QLocale locale = run.language == kGerman ? QLocale(QLocale::German, QLocale::Germany)
                                                       : QLocale(QLocale::English, QLocale::UnitedStates);
        stats.reset();
        QStringList lines;
        int n = 0;
        for (const Reading& r : run.readings) {
            foldIn(stats, r.value, QString::fromUtf8(r.unit), run.signedModel, run.absolut);
            computeDisplay(stats, ++n, run.absolut, locale);
            lines = statisticsLines(stats, n, "FE-Speicher", run.withAbsoluteHeading, texte);
        }
        return lines;
    }

    Texte texte;
    Statistics stats;
};

TEST_F(StatisticsListTest, SampleDeviationFromTwoReadingsOn)
{
    EXPECT_EQ(list({{{10, "µm  "}, {12, "µm  "}, {14, "µm  "}}}), QStringList({
        "FE-Speicher", " ", "Statistik:", " ",
        "Anzahl                 3",
        "Minimum                10,0 µm  ",
        "Maximum                14,0 µm  ",
        "Mittelwert             12,0 µm  ",
        "Std.Abweichung          2,0 µm  ",
    }));
    EXPECT_EQ(list({{{12.3, "µm  "}}}).mid(4), QStringList({
        "Anzahl                 1",
        "Minimum                12,3 µm  ",
        "Maximum                12,3 µm  ",
        "Mittelwert             12,3 µm  ",
    }));
}

TEST_F(StatisticsListTest, SignedModelWithAbsolutOffInEnglish)
{
    EXPECT_EQ(list({.readings = {{-5, "µm  "}, {5, "µm  "}}, .signedModel = true, .absolut = false,
                    .language = kEnglish}),
              QStringList({"FE-Speicher", " ", "Statistics:", " ", "Number                 2",
                           "Minimum                -5.0 µm  ", "Maximum                 5.0 µm  ",
                           "Average                 0.0 µm  ", "Std.Deviation           7.1 µm  "}));
}

TEST_F(StatisticsListTest, AbsolutOnOrAnUnsignedModelTakesTheSize)
{
    const QStringList ofFive = {"Minimum                 5,0 µm  ", "Maximum                 5,0 µm  ",
                                "Mittelwert              5,0 µm  ", "Std.Abweichung          0,0 µm  "};
    const QStringList absolut =
        list({.readings = {{-5, "µm  "}, {5, "µm  "}}, .signedModel = true, .withAbsoluteHeading = true});
    EXPECT_EQ(absolut.value(2), "Statistik:  mit Absolutwerten");
    EXPECT_EQ(absolut.mid(5), ofFive);
    for (bool on : {false, true})
        EXPECT_EQ(list({.readings = {{-5, "µm  "}, {5, "µm  "}}, .absolut = on}).mid(5), ofFive) << "absolut " << on;
}

// Three equal readings: the running sums leave a variance just below 0.
TEST_F(StatisticsListTest, RoundingNeverGivesANegativeVariance)
{
    const QStringList lines =
        list({.readings = {{12.3, "µm  "}, {12.3, "µm  "}, {12.3, "µm  "}}, .signedModel = true, .absolut = false});
    EXPECT_EQ(lines.last(), "Std.Abweichung          0,0 µm  ");
    EXPECT_EQ(stats.stdDev, 0);
}

TEST_F(StatisticsListTest, TheUnitChoosesTheDecimals)
{
    EXPECT_EQ(list({.readings = {{1.23456, "mVs "}, {2.5, "mVs "}}, .language = kEnglish}).mid(5),
              QStringList({"Minimum               1.235 mVs ", "Maximum               2.500 mVs ",
                           "Average               1.867 mVs ", "Std.Deviation         0.895 mVs "}));
    EXPECT_EQ(list({.readings = {{5, "mils"}, {1234.5, "mils"}}, .language = kEnglish}).mid(5, 2),
              QStringList({"Minimum                5.00 mils", "Maximum             1234.50 mils"}));
}

TEST_F(StatisticsListTest, MixedUnitsGiveNoStatistics)
{
    const QStringList german = {"FE-Speicher", " ", "Statistik:", " ", " Statistik nicht möglich,",
                                " da verschiedene", " Messeinheiten "};
    EXPECT_EQ(list({{{3, "G   "}, {4, "G   "}, {12, "A/cm"}}}), german);
    // Units compare with their trailing blanks.
    EXPECT_EQ(list({{{3, "G   "}, {4, "G"}}}), german);
    // One reading of another unit hides the statistics for the rest of the table.
    EXPECT_EQ(list({.readings = {{3, "G   "}, {12, "A/cm"}, {4, "G   "}}, .language = kEnglish}).mid(4),
              QStringList({" Statistics not possible", " cause of different", " measurement units"}));
    // A reset starts afresh with the next unit.
    EXPECT_EQ(list({{{12, "A/cm"}}}).mid(4, 2),
              QStringList({"Anzahl                 1", "Minimum                12,0 A/cm"}));
}

} // namespace
