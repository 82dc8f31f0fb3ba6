#include "table/MeasurementFile.h"

#include "shared/LocaleNumber.h"
#include "table/NumberFormat.h"

#include <algorithm>
#include <utility>

namespace kivo {

namespace {

// The table keeps reading numbers in 16 bits.
constexpr int kLowestNumber = -32768;
constexpr int kHighestNumber = 32767;

// The value field of a row: columns 21-31; a value written wider than its
// field runs into column 32, and its start is not where the reader looks.
constexpr qsizetype kValueStart = 20;
constexpr qsizetype kValueWidth = kFileValueWidth;

bool isLeadingLine(const QString& line) { return line.isEmpty() || line.startsWith(u'#'); }

// The first `mark` of the line is its third character.
template <typename View, typename Char>
bool markIsThird(View line, Char mark)
{
    return line.size() > 2 && line[2] == mark && line[0] != mark && line[1] != mark;
}

// One rule for text and for bytes, each with its own character type.
template <typename View, typename Char>
LineKind kindOf(View line, Char hash, Char dot, Char colon)
{
    if (!line.isEmpty() && line[0] == hash) return LineKind::Comment;
    if (markIsThird(line, dot)) return LineKind::Date;
    if (markIsThird(line, colon)) return LineKind::Reading;
    return LineKind::Other;
}

std::optional<int> readingNumber(QStringView field)
{
    bool ok = false;
    const int number = field.trimmed().toInt(&ok);
    if (!ok || number < kLowestNumber || number > kHighestNumber) return std::nullopt;
    return number;
}

} // namespace

std::optional<LoadedReading> readReadingRow(const QString& line, const QString& materialart)
{
    // The program writes no control character into a row: one there (a tab
    // in the unit, an escape sequence in the material) would be carried into
    // the grid, the CSV and the workbook.
    if (std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }))
        return std::nullopt;
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0) return std::nullopt;
    // The number is read from the first blank up to column 20.
    const std::optional<int> number = readingNumber(QStringView(line).mid(blank, blank + 4));
    const qsizetype valueEnd = kValueStart + kValueWidth;
    // The program writes a blank on each side of the value's column.
    if (!number || (line.size() > valueEnd && line[valueEnd] != u' ') || line.size() <= kValueStart
        || line[kValueStart - 1] != u' ')
        return std::nullopt;
    const std::optional<double> value = parseLocaleNumber(line.mid(kValueStart, kValueWidth));
    if (!value || (*number == 0 && *value == 0)) return std::nullopt;
    // A value the program could not write back into its column would be
    // lost at the next save and load.
    const QString unit = line.mid(32, 4).leftJustified(4, u' ');
    if (!fitsValueColumn(*value, unit)) return std::nullopt;
    LoadedReading r;
    r.zeit = line.left(8);
    r.nr = *number;
    r.wert = *value;
    r.einheit = unit;
    if (materialart.trimmed() != u"0") r.material = line.mid(37);
    return r;
}

LineKind lineKind(QStringView line) { return kindOf(line, u'#', u'.', u':'); }

LineKind lineKind(QByteArrayView line) { return kindOf(line, '#', '.', ':'); }

MeasurementFileReader::MeasurementFileReader(QString materialart_, int limit_)
    : materialart(std::move(materialart_)), limit(limit_)
{
}

void MeasurementFileReader::add(const QString& line, bool whole)
{
    if (inLeadingLines) {
        // The first line that is neither empty nor a comment is the table's
        // name, whatever it looks like.
        if (!isLeadingLine(line)) inLeadingLines = false;
        return;
    }
    switch (lineKind(line)) {
    case LineKind::Date:
        file.datum = line;
        break;
    case LineKind::Reading:
        if (full()) {
            ++file.rowsRead;
        } else if (const std::optional<LoadedReading> reading = whole ? readReadingRow(line, materialart) : std::nullopt) {
            ++file.rowsRead;
            file.readings.push_back(*reading);
        } else {
            ++file.rowsRefused;
        }
        break;
    case LineKind::Comment:
    case LineKind::Other:
        break;
    }
}

bool MeasurementFileReader::full() const { return !inLeadingLines && int(file.readings.size()) >= limit; }

LoadedFile readMeasurementFile(const QStringList& lines, const QString& materialart, int limit)
{
    MeasurementFileReader reader(materialart, limit);
    for (const QString& line : lines) reader.add(line);
    return reader.result();
}

QString measurementFilePath(const QString& chosen)
{
    return chosen.contains(QStringLiteral(".mes")) ? chosen : chosen + QStringLiteral(".mes");
}

} // namespace kivo
