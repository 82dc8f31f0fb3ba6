// Fixed-width alignment and the number texts of table, statistics and the
// limits caption.

#include "QtPrinters.h"
#include "shared/Align.h"
#include "table/NumberFormat.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(Ausrichten, RightAlignmentPadsAndCutsOnlyWhenAsked)
{
    const std::tuple<int, const char*, const char*, bool, const char*> cases[] = {
        {7, "12", " ", false, "     12"}, {3, "abcdef", " ", false, "abcdef"}, {3, "abcdef", " ", true, "abc"},
        {4, "", " ", false, "    "}, {7, "12", "*-", false, "*****12"}, // only the first fill character counts
    };
    for (const auto& [width, text, fill, cut, result] : cases)
        EXPECT_EQ(Ausrichten(width, text, fill, cut), result) << width << " '" << text << "'";
    // Left alignment trims, pads with blanks and always cuts.
    const std::tuple<int, const char*, const char*> left[] = {
        {5, "  COM3 ", "COM3 "}, {5, "COM123", "COM12"}, {4, "G", "G   "}, {0, "x", ""}};
    for (const auto& [width, text, result] : left) EXPECT_EQ(AusrichtenL(width, text), result) << text;
}

TEST(FormatFixed, HalvesAwayFromZeroInEitherLocale)
{
    const std::tuple<double, int, const char*> cases[] = {
        // value, decimals, English text: the German one differs only in its separator
        {0, 2, "0.00"}, {1.005, 2, "1.01"}, {0.125, 2, "0.13"}, {-0.125, 2, "-0.13"}, {2.5, 0, "3"}, {0.4, 0, "0"},
        {2.675, 2, "2.68"}, // the double lies just below 2.675
        {-1.23449, 3, "-1.234"}, {9.995, 2, "10.00"}, {-99.95, 1, "-100.0"}, {-7, 2, "-7.00"},
        {1234567.891, 2, "1234567.89"}, // never a thousands separator
        {-0.004, 2, "0.00"}, {-0.4, 0, "0"}, // no "-0.00" for tiny negatives
        {-0.005, 2, "-0.01"},
    };
    for (const auto& [value, decimals, english] : cases) {
        EXPECT_EQ(formatFixed(value, decimals, kEnglish), english) << value;
        EXPECT_EQ(formatFixed(value, decimals, kGerman), QString(english).replace(u'.', u',')) << value;
    }
}

TEST(FormatValue, DecimalsByTheUnitElevenWideRightAligned)
{
    const std::pair<const char*, int> units[] = {
        {"mVs", 3}, {"Oe  ", 1}, {"G   ", 1}, {"µm", 1}, {"A/cm", 1}, {"mm  ", 2}, {"kA/m", 2}, {" G  ", 2}, {"", 2},
    };
    for (const auto& [unit, decimals] : units) EXPECT_EQ(decimalsForUnit(unit), decimals) << unit;

    const std::tuple<double, const char*, const char*, const char*> cases[] = {
        {1.23456, "mVs ", "      1.235", "      1,235"},
        {5, "Pa  ", "       5.00", "       5,00"},
        {-12.34, "µm  ", "      -12.3", "      -12,3"},
        // A negative value keeps its sign when it rounds to zero; zero itself has none.
        {-0.04, "µm  ", "       -0.0", "       -0,0"},
        {-0.0004, "mVs ", "     -0.000", "     -0,000"},
        {-0.0, "mm  ", "       0.00", "       0,00"},
        {123456789.125, "mm  ", "123456789.13", "123456789,13"}, // wider than 11: never cut
    };
    for (const auto& [value, unit, english, german] : cases) {
        EXPECT_EQ(FormatValue(value, unit, kEnglish), english) << value;
        EXPECT_EQ(FormatValue(value, unit, kGerman), german) << value;
    }
}

TEST(GetDecimalsInt, DigitsOfTheFractionalPartToThreeDecimals)
{
    const std::pair<double, int> cases[] = {
        {2.25, 25}, {-2.25, 25}, {0.5, 5}, {0.0004, 0}, {7, 0}, {3.14159, 142}, {1.001, 1}, {0.9996, 0}, {2.05, 5},
    };
    for (const auto& [value, digits] : cases) EXPECT_EQ(GetDecimalsInt(value), digits) << value;
}

} // namespace
