// One reading line of the gauge cut into its fields: the number rule, the
// unit normalisation and the fixed columns.

#include "QtPrinters.h"
#include "device/RecordLine.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

// A record line as the gauge writes it: number right-aligned in columns 1-4,
// value right-aligned in 7-16, unit in 18-21, material in 23-25.
QString recordLine(const char* number, const char* value, const char* unit, const char* material = "")
{
    const QString line = QString::fromUtf8(number).rightJustified(4) + QStringLiteral("  ")
                         + QString::fromUtf8(value).rightJustified(10) + u' ' + QString::fromUtf8(unit).leftJustified(4)
                         + u' ' + QString::fromUtf8(material).leftJustified(3);
    if (line.size() != 25) ADD_FAILURE() << "a field does not fit its columns: " << line.toStdString();
    return line;
}

// ---- number rule --------------------------------------------------------

TEST(ReadNumberField, TakesTheLeadingNumberOfAField)
{
    struct Case {
        const char* field;
        double value;
    };
    const Case cases[] = {
        {"", 0},
        {"          ", 0},
        {"12.345", 12.345},
        {"    12.345", 12.345},
        {"1 2 . 5", 12.5}, // blanks count nowhere, not even inside the number
        {" - 3.5", -3.5},
        {"+4", 4},
        {"-", 0},
        {".", 0},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2}, // a second point ends the number
        {"12abc", 12},
        {"abc12", 0},
        {"1.2E3", 1200},
        {"1.2e3", 1200},
        {"1.5E+2", 150},
        {"1.2E-3", 0.0012},
        {"1 E 3", 1000},
        {"1E", 1}, // an exponent without digits is no exponent
        {"7E9", 7e9},
        {"0", 0},
        {"-0.25", -0.25},
        {"12,5", 12}, // the gauge's decimal point is always "."
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(readNumberField(QString::fromLatin1(c.field)), c.value) << "'" << c.field << "'";
}

TEST(ReadNumberField, IgnoresTheSystemLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const double point = readNumberField(QStringLiteral("1.5"));
    const double comma = readNumberField(QStringLiteral("1,5"));
    QLocale::setDefault(previous);
    EXPECT_DOUBLE_EQ(point, 1.5);
    EXPECT_DOUBLE_EQ(comma, 1);
}

// ---- unit normalisation -------------------------------------------------

TEST(NormaliseUnit, ConvertsTheGaugeUnits)
{
    struct Case {
        double value;
        const char* unit;
        double normalisedValue;
        const char* normalisedUnit;
    };
    const Case cases[] = {
        {12.345, "mm  ", 12345, "µm  "},
        {0.5, " mm ", 500, "µm  "},
        {1.5, "kA/m", 15, "A/cm"},
        {0.25, "kOe ", 250, "G   "}, // through "Oe  " on to G
        {0.25, "kOe", 250, "G   "},
        {12.3, "ym  ", 12.3, "µm  "},
        {7, "Oe  ", 7, "G   "},
        {7, "Oe", 7, "G   "},
        {7, " Oe ", 7, " Oe "}, // only "Oe" and "Oe  " stand for Oersted
        {12.3, "µm  ", 12.3, "µm  "},
        {3, "G   ", 3, "G   "},
        {3, "A/cm", 3, "A/cm"},
        {1.23456, "mVs ", 1.23456, "mVs "},
        {4, "mils", 4, "mils"},
        {4, "", 4, ""},
    };
    for (const Case& c : cases) {
        double value = c.value;
        QString unit = QString::fromUtf8(c.unit);
        normaliseUnit(value, unit);
        EXPECT_DOUBLE_EQ(value, c.normalisedValue) << "'" << c.unit << "'";
        EXPECT_EQ(unit, QString::fromUtf8(c.normalisedUnit)) << "'" << c.unit << "'";
    }
}

// ---- whole lines --------------------------------------------------------

struct LineCase {
    const char* what;
    QString line;
    int messart;
    const char* materialart;
    std::optional<int> nr;
    double wert;
    const char* einheit;
    std::optional<QString> material;
    const char* error;
};

TEST(ParseRecordLine, CutsTheColumns)
{
    const auto text = [](const char* s) { return std::optional<QString>(QString::fromUtf8(s)); };
    const std::nullopt_t none = std::nullopt;
    const LineCase cases[] = {
        {"FE memory", recordLine("1", "12.345", "mm", "ABC"), 0, "1", 1, 12345, "µm  ", text(" Fe"), ""},
        {"NFE memory", recordLine("2", "12.3", "ym", "ABC"), 1, "1", 2, 12.3, "µm  ", text("NFe"), ""},
        {"online labels as sent", recordLine("3", "1.5", "kA/m", " x "), 2, "1", none, 15, "A/cm", text(" x "), ""},
        {"labels trimmed", recordLine("4", "0.25", "kOe", " x "), 0, "2", 4, 250, "G   ", text("x"), ""},
        {"labels trimmed online", recordLine("4", "3", "Oe", "P1 "), 2, "2", none, 3, "G   ", text("P1"), ""},
        {"no labels", recordLine("5", "-12.5", "µm", "ABC"), 1, "0", 5, -12.5, "µm  ", none, ""},
        {"signed value", recordLine("6", " - 3.5", "µm"), 0, "0", 6, -3.5, "µm  ", none, ""},
        {"exponent", recordLine("7", "1.2E3", "mVs"), 0, "0", 7, 1200, "mVs ", none, ""},
        {"blank value", recordLine("0", "", "µm"), 0, "0", 0, 0, "µm  ", none, ""},
        {"largest number", recordLine("32E3", "1", "G"), 0, "0", 32000, 1, "G   ", none, ""},
        {"negative number", recordLine("-1E4", "1", "G"), 0, "0", -10000, 1, "G   ", none, ""},
        {"number overflow", recordLine("4E4", "1", "G"), 0, "0", none, 1, "G   ", none, "6Overflow"},
        {"negative overflow", recordLine("-4E4", "1", "G"), 1, "0", none, 1, "G   ", none, "6Overflow"},
        // Online the number is the running online number; the gauge's one is not read at all.
        {"online ignores number", recordLine("9E9", "1", "G"), 2, "0", none, 1, "G   ", none, ""},
        {"CR LF in unit", recordLine("8", "7", "Oe\r\n"), 0, "0", 8, 7, "G   ", none, ""},
        {"CR LF in value", recordLine("9", "12\r\n5", "µm"), 0, "0", 9, 125, "µm  ", none, ""},
        {"online line with CR LF", recordLine("1", "2.5", "µm", "NFe") + QStringLiteral("\r\n"), 2, "1", none, 2.5,
         "µm  ", text("NFe"), ""},
        {"empty line", QString(), 0, "2", 0, 0, "", text(""), ""},
        {"number only", QStringLiteral("  12"), 0, "1", 12, 0, "", text(" Fe"), ""},
        {"cut in the unit", recordLine("12", "3.25", "µm", "NFe").left(18), 0, "0", 12, 3.25, "µ", none, ""},
        {"cut in the material", recordLine("12", "3.25", "µm", "NFe").left(23), 2, "1", none, 3.25, "µm  ", text("N"), ""},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const RecordFields f = parseRecordLine(c.line, c.messart, QString::fromLatin1(c.materialart));
        EXPECT_EQ(f.nr, c.nr);
        EXPECT_DOUBLE_EQ(f.wert, c.wert);
        EXPECT_EQ(f.einheit, QString::fromUtf8(c.einheit));
        EXPECT_EQ(f.material, c.material);
        EXPECT_EQ(f.error, QString::fromLatin1(c.error));
    }
}

} // namespace
