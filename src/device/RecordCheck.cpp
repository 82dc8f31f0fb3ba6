#include "device/RecordCheck.h"

namespace kivo {

namespace {

constexpr qsizetype kColumns = 25;
// A line reading reaches at least into its unit.
constexpr qsizetype kLineThroughUnit = 18;

// The fixed columns (0-based start, width) of a reading.
struct Column {
    qsizetype start;
    qsizetype width;
};
constexpr Column kNumber{0, 4};
constexpr Column kGap1{4, 2};
constexpr Column kValue{6, 10};
constexpr Column kGap2{16, 1};
constexpr Column kUnit{17, 4};
constexpr Column kGap3{21, 1};
constexpr Column kMaterial{22, 3};

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// A character as the log quotes it: the control characters and the
// unprintable ones as "\xHH", as the quoted excerpts write them.
QString quoted(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7f && u <= 0xa0))
        return QStringLiteral("\\x%1").arg(QString::number(u, 16).toUpper().rightJustified(2, u'0'));
    return QStringLiteral("\"%1\"").arg(c);
}

QString foreign(QChar c, qsizetype index) { return QStringLiteral("%1 in column %2").arg(quoted(c)).arg(index + 1); }

// A number as the gauge right-aligns it in its field: blanks, an optional
// minus, digits without a leading zero (but "0" before a point), at most one
// point with digits after it, and nothing after that. The gauge writes no
// plus and no exponent: one damaged byte would make "903.5" "+03.5" or
// "2.315" "2.3e5". `whole` allows no point.
bool isGaugeNumber(QStringView text, bool whole)
{
    text = text.trimmed();
    if (text.startsWith(u'-')) text = text.mid(1);
    const qsizetype point = text.indexOf(u'.');
    const QStringView integer = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    const auto digitsOnly = [](QStringView part) {
        for (QChar c : part)
            if (!isDigit(c)) return false;
        return !part.isEmpty();
    };
    if (!digitsOnly(integer) || (integer.size() > 1 && integer[0] == u'0')) return false;
    if (point < 0) return true;
    return !whole && digitsOnly(fraction);
}

std::optional<QString> columnDamage(QStringView line, Column column, bool (*allowed)(QChar))
{
    for (qsizetype i = column.start; i < column.start + column.width && i < line.size(); ++i)
        if (!allowed(line[i])) return foreign(line[i], i);
    return std::nullopt;
}

bool blankOnly(QChar c) { return c == u' '; }
bool numberChar(QChar c) { return c == u' ' || isDigit(c) || c == u'-'; }
bool valueChar(QChar c) { return numberChar(c) || c == u'.'; }
bool unitChar(QChar c) { return c == u' ' || isAsciiLetter(c) || c == u'/' || c == u'%' || c == QChar(0xB5); }
bool materialChar(QChar c) { return c == u' ' || isAsciiLetter(c); }

} // namespace

std::optional<QString> recordDamage(QStringView line, RecordShape shape)
{
    if (shape == RecordShape::OnlineFixed) {
        if (!line.endsWith(u"\r\n")) return QStringLiteral("no line end after %1 characters").arg(line.size());
        line.chop(2);
    }
    if (line.size() > kColumns) return QStringLiteral("%1 characters, a reading has %2").arg(line.size()).arg(kColumns);
    if (shape != RecordShape::OnlineLine && line.size() != kColumns)
        return QStringLiteral("%1 characters, a reading has %2").arg(line.size()).arg(kColumns);
    if (shape == RecordShape::OnlineLine && line.size() < kLineThroughUnit)
        return QStringLiteral("%1 characters, a reading has at least %2").arg(line.size()).arg(kLineThroughUnit);
    const std::pair<Column, bool (*)(QChar)> columns[] = {
        {kNumber, numberChar}, {kGap1, blankOnly}, {kValue, valueChar},       {kGap2, blankOnly},
        {kUnit, unitChar},     {kGap3, blankOnly}, {kMaterial, materialChar},
    };
    for (const auto& [column, allowed] : columns)
        if (auto damage = columnDamage(line, column, allowed)) return damage;

    const QStringView number = line.mid(kNumber.start, kNumber.width).trimmed();
    if (!number.isEmpty() && !isGaugeNumber(number, true)) return QStringLiteral("the number is no whole number");
    const QStringView value = line.mid(kValue.start, kValue.width).trimmed();
    // Online every line is a reading; a dump line without a value is the
    // gauge's empty slot, which the table leaves out.
    if (value.isEmpty() && shape != RecordShape::Dump) return QStringLiteral("no value");
    if (!value.isEmpty() && !isGaugeNumber(value, false)) return QStringLiteral("the value is no number");
    // The unit stands left-aligned in one piece.
    const QStringView unit = line.mid(kUnit.start, kUnit.width);
    qsizetype unitEnd = unit.size();
    while (unitEnd > 0 && unit[unitEnd - 1] == u' ') --unitEnd;
    if (unit.left(unitEnd).contains(u' '))
        return QStringLiteral("the unit is not in one piece");
    if (unitEnd == 0 && shape != RecordShape::Dump) return QStringLiteral("no unit");
    return std::nullopt;
}

OnlineLineCheck checkOnlineLine(QStringView line)
{
    if (line.endsWith(u"\r\n")) line.chop(2);
    if (line.trimmed().isEmpty() && !line.contains(u'\t')) return {OnlineLineKind::Empty, {}};
    if (isAsciiLetter(line[0])) {
        // A gauge may say something in plain words; anything else is damage.
        for (qsizetype i = 0; i < line.size(); ++i) {
            const char16_t u = line[i].unicode();
            if (u < 0x20 || (u >= 0x7f && u <= 0xa0))
                return {OnlineLineKind::Damaged, foreign(line[i], i)};
        }
        // A reading whose first byte was damaged into a letter is no message.
        QString asReading = line.toString();
        asReading[0] = u' ';
        if (!recordDamage(asReading, RecordShape::OnlineLine))
            return {OnlineLineKind::Damaged, foreign(line[0], 0)};
        return {OnlineLineKind::GaugeMessage, {}};
    }
    if (auto damage = recordDamage(line, RecordShape::OnlineLine)) return {OnlineLineKind::Damaged, *damage};
    return {OnlineLineKind::Reading, {}};
}

} // namespace kivo
