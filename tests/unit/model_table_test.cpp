// The model table, spreadsheet cell names and the data folders.

#include "QtPrinters.h"
#include "app/AppPaths.h"
#include "app/ColumnLetters.h"
#include "app/ModelTable.h"

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
    ASSERT_TRUE(actual.has_value()) << code;
    EXPECT_EQ(actual->speicherlayout, expected.speicherlayout) << code;
    EXPECT_EQ(actual->schnittstelle, expected.schnittstelle) << code;
    EXPECT_EQ(actual->onlineart, expected.onlineart) << code;
    EXPECT_EQ(actual->materialart, expected.materialart) << code;
    EXPECT_EQ(actual->vorzeichen, expected.vorzeichen) << code;
}

class ModelRowTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelRowTest, TitlePictureStatusFieldAndProfile)
{
    const ModelCase& m = GetParam();
    const ModelRow* row = titleRowFor(QString::fromLatin1(m.code));
    ASSERT_NE(row, nullptr) << m.code;
    EXPECT_STREQ(row->pgmname, m.pgmname);
    EXPECT_STREQ(row->picture, m.picture);
    EXPECT_EQ(row->styleB, m.styleB);
    expectProfile(profileFor(QString::fromLatin1(m.code)), m.profile, m.code);
}

INSTANTIATE_TEST_SUITE_P(SixModels, ModelRowTest, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                             return std::string(info.param.code);
                         });

TEST(ModelTable, RksWithMoreCharactersIsStillRkSivar)
{
    for (const char* code : {"RKS1", "RKSX", "RKS-2"}) {
        const ModelRow* row = titleRowFor(QString::fromLatin1(code));
        ASSERT_NE(row, nullptr) << code;
        EXPECT_STREQ(row->pgmname, "RK-SIVAR RIDIVORI");
        expectProfile(profileFor(QString::fromLatin1(code)), kModels[1].profile, code);
    }
    // The same rule holds for the other three-letter rows.
    EXPECT_STREQ(titleRowFor(QStringLiteral("RKMENO"))->pgmname, "RK-MENO RIDIVORI");
    EXPECT_STREQ(titleRowFor(QStringLiteral("DORNA"))->pgmname, "DORNA RIDIVORI");
}

TEST(ModelTable, RktNeedsTheWholeCodeForItsTitleButNotForItsProfile)
{
    for (const char* code : {"RKT1", "RKTX"}) {
        EXPECT_EQ(titleRowFor(QString::fromLatin1(code)), nullptr) << code;
        expectProfile(profileFor(QString::fromLatin1(code)), kModels[0].profile, code);
    }
}

TEST(ModelTable, TwoLetterCodesOnlyStandingAlone)
{
    for (const char* code : {"VX1", "VXX", "ZR2", "ZRX"}) {
        EXPECT_EQ(titleRowFor(QString::fromLatin1(code)), nullptr) << code;
        EXPECT_FALSE(profileFor(QString::fromLatin1(code)).has_value()) << code;
    }
}

TEST(ModelTable, ProfileUsesTheTrimmedCode)
{
    expectProfile(profileFor(QStringLiteral("  VX  ")), kModels[5].profile, "VX with blanks");
    expectProfile(profileFor(QStringLiteral(" RKM")), kModels[2].profile, "RKM with a blank");
}

TEST(ModelTable, UnknownCodeHasNoRowAndNoProfile)
{
    for (const char* code : {"", "RK", "R", "XYZ", "rks", "vx", "V X", "KIVO"}) {
        EXPECT_EQ(titleRowFor(QString::fromLatin1(code)), nullptr) << code;
        EXPECT_FALSE(profileFor(QString::fromLatin1(code)).has_value()) << code;
    }
}

// ---- spreadsheet cell names ---------------------------------------------

TEST(ColumnLetters, OneOrTwoLettersThenTheRow)
{
    struct Case {
        int row;
        int column;
        const char* cell;
    };
    const Case cases[] = {
        {5, 1, "A5"},    {3, 28, "AB3"},  {1, 26, "Z1"},     {2, 27, "AA2"},  {10, 52, "AZ10"},
        {1, 53, "BA1"},  {7, 702, "ZZ7"}, {5000, 3, "C5000"}, {0, 2, "B0"},
    };
    for (const Case& c : cases) EXPECT_EQ(ColumnLetters(c.row, c.column), QString::fromLatin1(c.cell)) << c.cell;
}

// ---- data folders -------------------------------------------------------

TEST(AppPaths, BaseBrandAndProgramName)
{
    const QString sep = QDir::separator();
    const QString base = QDir::toNativeSeparators(QStringLiteral("/data/common"));
    EXPECT_EQ(composeDataPath(QStringLiteral("/data/common"), QStringLiteral("Brenvor"),
                              QStringLiteral("RK-SIVAR RIDIVORI")),
              base + sep + QStringLiteral("Brenvor") + sep + QStringLiteral("RK-SIVAR RIDIVORI"));
}

TEST(AppPaths, EmptyProgramNameEndsWithTheSeparator)
{
    const QString path = composeDataPath(QStringLiteral("/data/common"), QStringLiteral("Brenvor"), QString());
    EXPECT_TRUE(path.endsWith(QStringLiteral("Brenvor") + QDir::separator())) << path.toStdString();
}

} // namespace
