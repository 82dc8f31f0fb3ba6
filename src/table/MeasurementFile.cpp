#include "table/MeasurementFile.h"

#include "device/RecordLine.h"
#include "settings/SettingsFiles.h"

#include <cmath>

namespace kivo {

namespace {

bool isLeadingLine(const QString& line) { return line.isEmpty() || line.startsWith(u'#'); }

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

LoadedFile readMeasurementFile(const QStringList& lines, const QString& materialart, int limit)
{
    LoadedFile file;
    qsizetype i = 0;
    while (i < lines.size() && isLeadingLine(lines[i])) ++i;
    ++i; // the table's name
    for (; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(u'#')) continue;
        if (line.indexOf(u'.') == 2) file.datum = line;
        if (line.indexOf(u':') == 2) {
            ++file.rowsRead;
            if (int(file.readings.size()) < limit) file.readings.push_back(readRow(line, materialart));
        }
    }
    return file;
}

QString measurementFilePath(const QString& chosen)
{
    return chosen.contains(QStringLiteral(".mes")) ? chosen : chosen + QStringLiteral(".mes");
}

} // namespace kivo
