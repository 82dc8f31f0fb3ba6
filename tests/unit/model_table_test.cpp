// The model table, spreadsheet cell names and the data folders.

#include "QtPrinters.h"
#include "session/AppPaths.h"
#include "session/ColumnLetters.h"
#include "session/ModelTable.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

struct ModelCase {
    const char* code;
    const char* pgmname;
    const char* picture;
    bool styleB;
    ModelProfile profile;
};

const ModelCase kModels[] = {
    {"RKT", "RK-TALO RIDIVORI", "VX.gif", false, {"1", "B", "V", "0", "-"}},
    {"RKS", "RK-SIVAR RIDIVORI", "RKS.gif", true, {"1", "K", "V", "0", "-"}},
    {"RKM", "RK-MENO RIDIVORI", "ZR.gif", true, {"3", "K", "V", "0", "-"}},
    {"DOR", "DORNA RIDIVORI", "RKS.gif", true, {"X", "K", "V", "0", "-"}},
    {"ZR", "ZORMA-PROBA RIDIVORI", "ZR.gif", true, {"3", "K", "E", "2", "+"}},
    {"VX", "VELO-PROBA RIDIVORI", "VX.gif", false, {"2", "B", "E", "1", "+"}},
};

void expectProfile(const std::optional<ModelProfile>& actual, const ModelProfile& expected, const char* code)
{
    const auto fields = [](const ModelProfile& p) {
        return QStringList({p.speicherlayout, p.schnittstelle, p.onlineart, p.materialart, p.vorzeichen});
    };
    ASSERT_TRUE(actual.has_value()) << code;
    EXPECT_EQ(fields(*actual), fields(expected)) << code;
}

TEST(ModelTable, TitlePictureStatusFieldAndProfileOfEachModel)
{
    for (const ModelCase& m : kModels) {
        const ModelRow* row = titleRowFor(m.code);
        ASSERT_NE(row, nullptr) << m.code;
        EXPECT_STREQ(row->pgmname, m.pgmname);
        EXPECT_STREQ(row->picture, m.picture);
        EXPECT_EQ(row->styleB, m.styleB) << m.code;
        expectProfile(profileFor(m.code), m.profile, m.code);
    }
}

// Which code names which row: a three-letter code may carry more
// characters, but RKT only for its profile, and a two-letter code must
// stand alone; blanks around the code count for the title but not for the
// profile.
TEST(ModelTable, CodesWithMoreCharactersOrBlanks)
{
    const std::tuple<const char*, const char*, int> cases[] = {
        // code, program name of its title row (or none), its profile's row in kModels (or -1)
        {"RKSX", "RK-SIVAR RIDIVORI", 1}, {"RKS-2", "RK-SIVAR RIDIVORI", 1}, {"RKMENO", "RK-MENO RIDIVORI", 2},
        {"DORNA", "DORNA RIDIVORI", 3},   {"RKT1", nullptr, 0},              {"ZR2", nullptr, -1},
        {"VXX", nullptr, -1},             {"  VX  ", nullptr, 5},            {" RKM", nullptr, 2},
        {"", nullptr, -1},                {"RK", nullptr, -1},               {"rks", nullptr, -1},
        {"V X", nullptr, -1},
    };
    for (const auto& [code, pgmname, profile] : cases) {
        const ModelRow* row = titleRowFor(code);
        if (pgmname) {
            ASSERT_NE(row, nullptr) << code;
            EXPECT_STREQ(row->pgmname, pgmname) << code;
        } else {
            EXPECT_EQ(row, nullptr) << code;
        }
        if (profile < 0) {
            EXPECT_FALSE(profileFor(code).has_value()) << code;
        } else {
            expectProfile(profileFor(code), kModels[profile].profile, code);
        }
    }
}

// ---- spreadsheet cell names ---------------------------------------------

TEST(ColumnLetters, OneOrTwoLettersThenTheRow)
{
    const std::tuple<int, int, const char*> cases[] = {
        {5, 1, "A5"}, {1, 26, "Z1"}, {2, 27, "AA2"}, {10, 52, "AZ10"}, {1, 53, "BA1"}, {7, 702, "ZZ7"}, {0, 2, "B0"},
    };
    for (const auto& [row, column, cell] : cases) EXPECT_EQ(ColumnLetters(row, column), cell) << cell;
}

// ---- data folders -------------------------------------------------------

TEST(AppPaths, BaseBrandAndProgramName)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(composeDataPath("/data/common", "Brenvor", "RK-SIVAR RIDIVORI"),
              QDir::toNativeSeparators("/data/common") + sep + "Brenvor" + sep + "RK-SIVAR RIDIVORI");
    // An empty program name leaves the path ending in the separator.
    EXPECT_EQ(composeDataPath("/data/common", "Brenvor", QString()),
              QDir::toNativeSeparators("/data/common") + sep + "Brenvor" + sep);
}

} // namespace

namespace kivo {
namespace {

// The gauge's own code finds its model's row: the statistics rule and the
// manual are the row's.
TEST(ModelTable, TheGaugesCodeFindsItsRow)
{
    const auto codeOf = [](const char* geraet) {
        const ModelRow* row = rowForGauge(QLatin1String(geraet));
        return row ? QString::fromLatin1(row->code) : QString();
    };
    EXPECT_EQ(codeOf("FEB"), u"VX");
    EXPECT_EQ(codeOf("FNB"), u"VX");
    EXPECT_EQ(codeOf("ZR96"), u"ZR");
    EXPECT_EQ(codeOf("RKS"), u"RKS");
    EXPECT_EQ(codeOf("RKT"), u"RKT");
    EXPECT_EQ(codeOf("RKT2"), QString()); // only the whole code
    EXPECT_EQ(codeOf(""), QString());
    for (const char* code : {"RKT", "RKS", "RKM"}) EXPECT_TRUE(signedStatistics(QLatin1String(code))) << code;
    for (const char* code : {"DOR", "ZR", "VX", "FEB", "XY"}) EXPECT_FALSE(signedStatistics(QLatin1String(code))) << code;
    for (const ModelRow& row : modelRows()) {
        EXPECT_EQ(rowForGauge(QLatin1String(row.code)), &row) << row.code;
        EXPECT_EQ(rowForGauge(QLatin1String(row.simulator)), &row) << row.simulator;
    }
}

} // namespace
} // namespace kivo
