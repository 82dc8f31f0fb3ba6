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
QString recordLine(const QString& number, const QString& value, const QString& unit, const QString& material = "")
{
    const QString line = number.rightJustified(4) + "  " + value.rightJustified(10) + ' ' + unit.leftJustified(4) + ' '
                         + material.leftJustified(3);
    if (line.size() != 25) ADD_FAILURE() << "a field does not fit its columns: " << line.toStdString();
    return line;
}

// ---- number rule --------------------------------------------------------

TEST(ReadNumberField, TakesTheLeadingNumberOfAField)
{
    const std::pair<const char*, double> cases[] = {
        {"          ", 0}, {"    12.345", 12.345}, {" - 3.5", -3.5}, {"+4", 4}, {"-", 0}, {".5", 0.5}, {"5.", 5},
        {"1 2 . 5", 12.5},  // blanks count nowhere, not even inside the number
        {"1.2.3", 1.2},     // a second point ends the number
        {"12abc", 12}, {"abc12", 0}, {"1.5E+2", 150}, {"1.2e-3", 0.0012}, {"1 E 3", 1000},
        {"1E", 1},          // an exponent without digits is no exponent
        {"12,5", 12},       // the gauge's decimal point is always "."
    };
    for (const auto& [field, value] : cases) EXPECT_DOUBLE_EQ(readNumberField(field), value) << "'" << field << "'";
    // Whatever the system's locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::pair<double, double> read = {readNumberField("1.5"), readNumberField("1,5")};
    QLocale::setDefault(previous);
    EXPECT_EQ(read, std::pair(1.5, 1.0));
}

TEST(NormaliseUnit, ConvertsTheGaugeUnits)
{
    const std::tuple<double, const char*, double, const char*> cases[] = {
        {12.345, "mm  ", 12345, "µm  "}, {0.5, " mm ", 500, "µm  "}, {1.5, "kA/m", 15, "A/cm"},
        {12.3, "ym  ", 12.3, "µm  "}, {4, "mils", 4, "mils"},
        {0.25, "kOe", 250, "G   "}, // through "Oe  " on to G
        {7, "Oe  ", 7, "G   "}, {7, "Oe", 7, "G   "}, {7, " Oe ", 7, " Oe "}, // only "Oe" and "Oe  " are Oersted
    };
    for (const auto& [value, unit, normalisedValue, normalisedUnit] : cases) {
        double v = value;
        QString u = unit;
        normaliseUnit(v, u);
        EXPECT_DOUBLE_EQ(v, normalisedValue) << "'" << unit << "'";
        EXPECT_EQ(u, normalisedUnit) << "'" << unit << "'";
    }
}

// ---- whole lines --------------------------------------------------------

TEST(ParseRecordLine, CutsTheColumns)
{
    const auto text = [](const char* s) { return std::optional<QString>(QString::fromUtf8(s)); };
    const std::nullopt_t none = std::nullopt;
    struct {
        const char* what;
        QString line;
        int messart;
        const char* materialart;
        std::optional<int> nr;
        double wert;
        const char* einheit;
        std::optional<QString> material;
        const char* error;
    } const cases[] = {
        {"FE memory", recordLine("1", "12.345", "mm", "ABC"), 0, "1", 1, 12345, "µm  ", text(" Fe"), ""},
        {"NFE memory", recordLine("2", "12.3", "ym", "ABC"), 1, "1", 2, 12.3, "µm  ", text("NFe"), ""},
        {"online labels as sent", recordLine("3", "1.5", "kA/m", " x "), 2, "1", none, 15, "A/cm", text(" x "), ""},
        {"online line with CR LF", recordLine("1", "2.5", "µm", "NFe") + "\r\n", 2, "1", none, 2.5, "µm  ", text("NFe"),
         ""},
        {"labels trimmed", recordLine("4", "0.25", "kOe", " x "), 0, "2", 4, 250, "G   ", text("x"), ""},
        {"no labels", recordLine("5", "-12.5", "µm", "ABC"), 1, "0", 5, -12.5, "µm  ", none, ""},
        {"blank value", recordLine("0", "", "µm"), 0, "0", 0, 0, "µm  ", none, ""},
        {"large number", recordLine("32E3", "1", "G"), 0, "0", 32000, 1, "G   ", none, ""},
        {"number overflow", recordLine("4E4", "1", "G"), 0, "0", none, 1, "G   ", none, "6Overflow"},
        {"negative overflow", recordLine("-4E4", "1", "G"), 1, "0", none, 1, "G   ", none, "6Overflow"},
        // Online the number is the running online number; the gauge's one is not read at all.
        {"online ignores number", recordLine("9E9", "1", "G"), 2, "0", none, 1, "G   ", none, ""},
        {"CR LF in the line", recordLine("9", "12\r\n5", "Oe\r\n"), 0, "0", 9, 125, "G   ", none, ""},
        {"empty line", QString(), 0, "2", 0, 0, "", text(""), ""},
        {"number only", QStringLiteral("  12"), 0, "1", 12, 0, "", text(" Fe"), ""},
        {"cut in the unit", recordLine("12", "3.25", "µm", "NFe").left(18), 0, "0", 12, 3.25, "µ", none, ""},
        // A value past the double range is refused, whatever its unit makes of it.
        {"value overflow", recordLine("7", "1e308", "mm"), 0, "0", 7, 0, "µm  ", none, "6Overflow"},
        {"value out of range", recordLine("7", "1e999", "µm"), 2, "0", none, 0, "µm  ", none, "6Overflow"},
        {"cut in the material", recordLine("12", "3.25", "µm", "NFe").left(23), 2, "1", none, 3.25, "µm  ", text("N"),
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RecordFields f = parseRecordLine(c.line, c.messart, c.materialart);
        EXPECT_EQ(f.nr, c.nr);
        EXPECT_DOUBLE_EQ(f.wert, c.wert);
        EXPECT_EQ(f.einheit, c.einheit);
        EXPECT_EQ(f.material, c.material);
        EXPECT_EQ(f.error, c.error);
        EXPECT_EQ(f.valueValid, std::isfinite(f.wert) && QString::fromUtf8(c.what).indexOf(u"value") != 0);
    }
}

} // namespace
