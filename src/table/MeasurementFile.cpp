#include "table/MeasurementFile.h"

#include "device/RecordLine.h"
#include "settings/SettingsFiles.h"

#include <cmath>
#include <utility>

namespace kivo {

namespace {

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

LoadedReading readRow(const QString& line, const QString& materialart)
{
    LoadedReading r;
    r.zeit = line.left(8);
    const qsizetype blank = line.indexOf(u' ');
    if (blank >= 0) {
        const double number = std::nearbyint(readNumberField(line.mid(blank, blank + 4)));
        if (number >= -32768 && number <= 32767) r.nr = int(number);
    }
    r.wert = parseLocaleNumber(line.mid(20, 11)).value_or(0);
    r.einheit = line.mid(32, 4).leftJustified(4, u' ');
    if (materialart.trimmed() != u"0") r.material = line.mid(37);
    return r;
}

} // namespace

LineKind lineKind(QStringView line) { return kindOf(line, u'#', u'.', u':'); }

LineKind lineKind(QByteArrayView line) { return kindOf(line, '#', '.', ':'); }

MeasurementFileReader::MeasurementFileReader(QString materialart_, int limit_)
    : materialart(std::move(materialart_)), limit(limit_)
{
}

void MeasurementFileReader::add(const QString& line)
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
        ++file.rowsRead;
        if (int(file.readings.size()) < limit) file.readings.push_back(readRow(line, materialart));
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
