#include "output/CsvExport.h"

#include "texts/Phrases.h"

#include <QLocale>
#include <algorithm>
#include <charconv>

namespace kivo {

QString csvField(const QString& text, QChar separator)
{
    // Quoted where it holds any separator a spreadsheet's default import
    // splits on, not only this file's: a German "124,6" stays one cell.
    Q_UNUSED(separator);
    const bool quote = text.contains(u',') || text.contains(u';') || text.contains(u'\t') || text.contains(u'"')
                       || text.contains(u'\r') || text.contains(u'\n');
    if (!quote) return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvTextField(const QString& text, QChar separator)
{
    // A text that starts like a formula would become a live one in a
    // spreadsheet (a crafted file, a gauge's label): the apostrophe keeps
    // it text.
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    const bool formula = !text.isEmpty() && kFormulaStarts.contains(text[0]);
    return csvField(formula ? u'\'' + text : text, separator);
}

QString shortestNumber(double value, QChar point)
{
    // The gauge's value converted (12.48 kA/m × 10) carries binary noise in
    // its last digits: rounded to 10 significant digits first.
    // Printed as "%.10g" would, whatever the process's locale: the rounded
    // value in its shortest form, as no trailing zero is kept.
    char buf[400]; // the longest fixed form of a double fits
    auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, kCsvSignificantDigits).ptr;
    if (std::find(buf, end, 'e') != end) {
        // No exponent for the thicknesses and fields a gauge measures.
        double rounded = 0;
        std::from_chars(buf, end, rounded);
        end = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed).ptr;
    }
    QString text = QString::fromLatin1(buf, end - buf);
    if (point != u'.') text.replace(u'.', point);
    return text;
}

QString csvHeading(bool german)
{
    const QChar separator = german ? u';' : u',';
    const QStringList heading = {phrase(Phrase::CsvDate, german),  phrase(Phrase::CsvTime, german),
                                 phrase(Phrase::CsvNumber, german), phrase(Phrase::CsvValue, german),
                                 phrase(Phrase::CsvUnit, german),   QStringLiteral("Material")};
    return heading.join(separator);
}

QString csvRow(const CsvReading& r, bool german)
{
    const QChar separator = german ? u';' : u',';
    const QChar point = german ? u',' : u'.';
    const QStringList quoted = {csvTextField(r.datum, separator), csvTextField(r.zeit, separator),
                                QString::number(r.nr), csvField(shortestNumber(r.wert, point), separator),
                                csvTextField(r.einheit.trimmed(), separator),
                                csvTextField(r.material.trimmed(), separator)};
    return quoted.join(separator);
}

QByteArray csvText(const std::vector<CsvReading>& readings, bool german)
{
    QString text = csvHeading(german) + QStringLiteral("\r\n");
    for (const CsvReading& r : readings) text += csvRow(r, german) + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace kivo
