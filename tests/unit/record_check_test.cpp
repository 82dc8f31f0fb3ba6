// A line from the wire is taken only when every column holds what the gauge
// writes there: a changed or lost byte must never become a believable
// wrong reading.

#include "QtPrinters.h"
#include "device/RecordCheck.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// A reading in its columns: number 1-4, value 7-16, unit 18-21, material 23-25.
QString record(const QString& number, const QString& value, const QString& unit, const QString& material = {})
{
    return number.rightJustified(4) + "  " + value.rightJustified(10) + " " + unit.leftJustified(4) + " "
           + material.rightJustified(3);
}

QString with(QString line, qsizetype index, QChar c)
{
    line[index] = c;
    return line;
}

TEST(RecordCheck, WholeReadingsPass)
{
    const QString lines[] = {
        record("1", "12.48", "kA/m"), record("4711", "-0.37", "µm"), record("12", "1200", "G"),
        record("9", "0.35", "Oe", "NFe"), record("0", "", ""), // the gauge's empty slot
        record("", "142.7", "ym", "Fe"), record("3", "-0.042", "mVs"), record("3", "5", "%"),
    };
    for (const QString& line : lines) EXPECT_EQ(recordDamage(line, RecordShape::Dump), std::nullopt) << line.toStdString();
    EXPECT_EQ(recordDamage(QString(record("1", "2.2", "µm") + "\r\n"), RecordShape::OnlineFixed), std::nullopt);
    EXPECT_EQ(recordDamage(record("1", "2.315", "mVs").left(21), RecordShape::OnlineLine), std::nullopt);
    EXPECT_EQ(recordDamage(record("31", "31.000", "mVs").left(20), RecordShape::OnlineLine), std::nullopt);
}

TEST(RecordCheck, DamageIsRefusedWhole)
{
    const QString good = record("26", "3.3", "µm", "Fe");
    const std::pair<const char*, QString> cases[] = {
        {"NUL inside the value (would read 3.00)", with(good, 14, QChar(0))},
        {"0xFF inside the value (would read 3.0)", with(good, 14, QChar(0xFF))},
        {"EOT inside the number", with(good, 1, QChar(4))},
        {"a blank inside the value (would read 3 then stop)", with(good, 14, u' ')},
        {"a second point", with(good, 13, u'.')},
        {"a letter in the value", with(good, 13, u'x')},
        {"a sign after the digits", with(good, 15, u'-')},
        {"the gap before the unit", with(good, 16, u'x')},
        {"the gap between number and value", with(good, 5, u'7')},
        {"a blank before the unit", with(good, 17, u' ')},
        {"a blank inside the unit", with(record("1", "2.0", "kA/m"), 18, u' ')},
        {"a control character in the unit", with(good, 19, QChar(0x1B))},
        {"a no-break space shifts the columns", QString(good).insert(8, QChar(0xA0)).left(25)},
        {"a no-break space makes it longer", QString(good).insert(8, QChar(0xA0))},
        {"a byte lost", QString(good).remove(8, 1)},
        {"a point in the number", record("2.5", "3.3", "µm")},
        {"an empty line", QString()},
        {"an exponent without digits", record("1", "1.5E", "µm")},
        // The gauge writes no exponent: one damaged digit of 2.315 gives 2.3e5.
        {"an exponent", record("1", "2.3e5", "mVs")},
        {"a digit in the material", record("4", "4.5", "µm", "N8e")},
        // Nor a plus or a leading zero: a damaged 9 of 903.5 gives +03.5.
        {"a plus", record("1", "+03.5", "µm")},
        {"a leading zero", record("1", "007.5", "µm")},
        {"no digit before the point", record("1", ".5", "µm")},
        {"no digit after the point", record("1", "5.", "µm")},
    };
    for (const auto& [what, line] : cases) EXPECT_NE(recordDamage(line, RecordShape::Dump), std::nullopt) << what;

    // Online a reading always has a value, and a fixed record its line end.
    EXPECT_NE(recordDamage(record("1", "", "µm"), RecordShape::OnlineLine), std::nullopt);
    EXPECT_NE(recordDamage(QString(good + "x\n"), RecordShape::OnlineFixed), std::nullopt);
    EXPECT_NE(recordDamage(QString(good + "\r\n" + "x"), RecordShape::OnlineFixed), std::nullopt);
    EXPECT_NE(recordDamage(QString(good + " "), RecordShape::OnlineLine), std::nullopt);
    // A line cut before its unit.
    EXPECT_NE(recordDamage(record("26", "26.000", "").left(16), RecordShape::OnlineLine), std::nullopt);
    EXPECT_NE(recordDamage(record("26", "26.000", ""), RecordShape::OnlineLine), std::nullopt);
    // The reason names the character and its column for the log.
    EXPECT_EQ(recordDamage(with(good, 14, QChar(0)), RecordShape::Dump), QStringLiteral("\\x00 in column 15"));
}

TEST(RecordCheck, OnlineLinesAreReadingsMessagesOrDamage)
{
    const std::tuple<const char*, QString, OnlineLineKind> cases[] = {
        {"a reading", record("1", "2.315", "mVs") + "\r\n", OnlineLineKind::Reading},
        {"the gauge speaks", "X garbage line\r\n", OnlineLineKind::GaugeMessage},
        {"plain words with digits", "Batterie 10%", OnlineLineKind::GaugeMessage},
        {"a control character in words", QStringLiteral("Batt\x01rie"), OnlineLineKind::Damaged},
        {"0xFF first is no letter of a gauge", QString(QChar(0xFF)) + "12.3", OnlineLineKind::Damaged},
        {"a sign first", "-1.2", OnlineLineKind::Damaged},
        {"an empty line", "\r\n", OnlineLineKind::Empty},
        {"blanks only", "     ", OnlineLineKind::Empty},
        {"a tab", "\t", OnlineLineKind::Damaged},
        {"a damaged reading", with(record("1", "150.0", "G"), 13, QChar(0xFF)), OnlineLineKind::Damaged},
        {"a reading whose first blank became a letter", with(record("1", "2.315", "mVs"), 0, u'a'),
         OnlineLineKind::Damaged},
    };
    for (const auto& [what, line, kind] : cases) EXPECT_EQ(checkOnlineLine(line).kind, kind) << what;
}

} // namespace
