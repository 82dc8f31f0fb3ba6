// Fixed-width alignment and the number texts of table, statistics and the
// limits caption.

#include "QtPrinters.h"
#include "table/Align.h"
#include "table/NumberFormat.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
const QLocale kEnglishLocale(QLocale::English, QLocale::UnitedStates);

// ---- alignment ----------------------------------------------------------

TEST(Ausrichten, PadsOnTheLeftAndCutsOnlyWhenAsked)
{
    struct Case {
        int width;
        const char* text;
        const char* fill;
        bool cut;
        const char* result;
    };
    const Case cases[] = {
        {7, "12", " ", false, "     12"},
        {7, "12", "0", false, "0000012"},
        {7, "12", "*-", false, "*****12"}, // only the first fill character counts
        {3, "abc", " ", true, "abc"},
        {3, "abcdef", " ", false, "abcdef"},
        {3, "abcdef", " ", true, "abc"},
        {0, "", " ", false, ""},
        {4, "", " ", false, "    "},
        {11, "-12,5", " ", false, "      -12,5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ausrichten(c.width, QString::fromLatin1(c.text), QString::fromLatin1(c.fill), c.cut),
                  QString::fromLatin1(c.result))
            << c.width << " '" << c.text << "'";
}

TEST(AusrichtenL, TrimsPadsAndCuts)
{
    struct Case {
        int width;
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {5, "COM3", "COM3 "}, {5, "  COM3 ", "COM3 "}, {5, "COM12", "COM12"}, {5, "COM123", "COM12"},
        {4, "G", "G   "},     {4, "", "    "},         {3, "A/cm", "A/c"},    {0, "x", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AusrichtenL(c.width, QString::fromLatin1(c.text)), QString::fromLatin1(c.result)) << c.text;
}

// ---- fixed decimals -----------------------------------------------------

struct FixedCase {
    double value;
    int decimals;
    const char* english; // the German text differs only in its separator
};

const FixedCase kFixedCases[] = {
    {0, 2, "0.00"},
    {12.3, 1, "12.3"},
    {5, 2, "5.00"},
    {2.675, 2, "2.68"}, // the double lies just below 2.675
    {1.005, 2, "1.01"},
    {0.125, 2, "0.13"}, // halves away from zero
    {-0.125, 2, "-0.13"},
    {2.5, 0, "3"},
    {-2.5, 0, "-3"},
    {12.35, 1, "12.4"},
    {-12.35, 1, "-12.4"},
    {1.23456, 3, "1.235"},
    {-1.23449, 3, "-1.234"},
    {9.995, 2, "10.00"},
    {99.95, 1, "100.0"},
    {-99.95, 1, "-100.0"},
    {0.5, 0, "1"},
    {0.4, 0, "0"},
    {1234567.891, 2, "1234567.89"}, // never a thousands separator
    {-0.001, 2, "0.00"},            // no "-0.00" for tiny negatives
    {-0.004, 2, "0.00"},
    {-0.04, 1, "0.0"},
    {-0.0004, 3, "0.000"},
    {-0.4, 0, "0"},
    {-0.005, 2, "-0.01"},
    {0.05, 1, "0.1"},
    {-7, 2, "-7.00"},
};

class FormatFixedTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, EnglishAndGermanSeparator)
{
    const FixedCase& c = GetParam();
    const QString english = QString::fromLatin1(c.english);
    EXPECT_EQ(formatFixed(c.value, c.decimals, kEnglishLocale), english);
    EXPECT_EQ(formatFixed(c.value, c.decimals, kGermanLocale), QString(english).replace(u'.', u','));
}

INSTANTIATE_TEST_SUITE_P(Values, FormatFixedTest, ::testing::ValuesIn(kFixedCases));

// ---- FormatValue --------------------------------------------------------

TEST(DecimalsForUnit, ByTheUnitsBeginning)
{
    const std::pair<const char*, int> cases[] = {
        {"mVs ", 3}, {"mVs", 3},  {"Oe  ", 1}, {"G   ", 1}, {"µm  ", 1}, {"µm", 1},  {"A/cm", 1},
        {"mm  ", 2}, {"ym  ", 2}, {"kA/m", 2}, {"%   ", 2}, {"", 2},     {" G  ", 2}, {"mv", 2},
    };
    for (const auto& [unit, decimals] : cases) EXPECT_EQ(decimalsForUnit(QString::fromUtf8(unit)), decimals) << unit;
}

TEST(FormatValue, ElevenWideRightAligned)
{
    struct Case {
        double value;
        const char* unit;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {1.23456, "mVs ", "      1.235", "      1,235"},
        {12, "A/cm", "       12.0", "       12,0"},
        {5, "Pa  ", "       5.00", "       5,00"},
        {12.3, "µm  ", "       12.3", "       12,3"},
        {-12.34, "µm  ", "      -12.3", "      -12,3"},
        {-0.04, "µm  ", "        0.0", "        0,0"},
        {150.05, "Oe  ", "      150.1", "      150,1"},
        {-1500.25, "G   ", "    -1500.3", "    -1500,3"},
        {2.675, "mm  ", "       2.68", "       2,68"},
        {-0.001, "mm  ", "       0.00", "       0,00"},
        {12345678.5, "µm  ", " 12345678.5", " 12345678,5"},
        {123456789.125, "mm  ", "123456789.13", "123456789,13"}, // wider than 11: never cut
    };
    for (const Case& c : cases) {
        const QString unit = QString::fromUtf8(c.unit);
        EXPECT_EQ(FormatValue(c.value, unit, kEnglishLocale), QString::fromLatin1(c.english)) << c.value;
        EXPECT_EQ(FormatValue(c.value, unit, kGermanLocale), QString::fromLatin1(c.german)) << c.value;
    }
}

// ---- GetDecimalsInt -----------------------------------------------------

TEST(GetDecimalsInt, DigitsOfTheFractionalPart)
{
    const std::pair<double, int> cases[] = {
        {2.25, 25}, {-2.25, 25}, {0.5, 5},   {0.0004, 0}, {7, 0},      {0, 0},       {-7, 0},
        {10.5, 5},  {3.14159, 142}, {1.001, 1}, {0.9996, 0}, {15.75, 75}, {-0.125, 125}, {2.05, 5},
    };
    for (const auto& [value, digits] : cases) EXPECT_EQ(GetDecimalsInt(value), digits) << value;
}

// The limits caption shows all three limits with one decimal as soon as one
// of them has a fractional part, else without decimals, each in 7 columns.
QStringList limitsCaptionNumbers(double emin, double emax, double esoll, const QLocale& locale)
{
    const bool oneDecimal = GetDecimalsInt(emin) != 0 || GetDecimalsInt(emax) != 0 || GetDecimalsInt(esoll) != 0;
    QStringList out;
    for (double v : {emin, emax, esoll})
        out << Ausrichten(7, formatFixed(v, oneDecimal ? 1 : 0, locale), QStringLiteral(" "), false);
    return out;
}

TEST(LimitsCaption, WholeOrOneDecimalForAllThree)
{
    EXPECT_EQ(limitsCaptionNumbers(10, 20, 15, kEnglishLocale),
              (QStringList{QStringLiteral("     10"), QStringLiteral("     20"), QStringLiteral("     15")}));
    EXPECT_EQ(limitsCaptionNumbers(10.5, 20, 15, kGermanLocale),
              (QStringList{QStringLiteral("   10,5"), QStringLiteral("   20,0"), QStringLiteral("   15,0")}));
    EXPECT_EQ(limitsCaptionNumbers(0, 0, 0, kEnglishLocale),
              (QStringList{QStringLiteral("      0"), QStringLiteral("      0"), QStringLiteral("      0")}));
    // A fraction that rounds away at three decimals does not switch to decimals.
    EXPECT_EQ(limitsCaptionNumbers(10.0004, 20, 15, kEnglishLocale),
              (QStringList{QStringLiteral("     10"), QStringLiteral("     20"), QStringLiteral("     15")}));
    EXPECT_EQ(limitsCaptionNumbers(-5.25, 5, 0, kEnglishLocale),
              (QStringList{QStringLiteral("   -5.3"), QStringLiteral("    5.0"), QStringLiteral("    0.0")}));
}

} // namespace
