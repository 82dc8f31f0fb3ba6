#include "output/CsvExport.h"

#include <QLocale>

namespace kivo {

QString csvField(const QString& text, QChar separator)
{
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote) return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString shortestNumber(double value, QChar point)
{
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    // No exponent for the thicknesses and fields a gauge measures.
    if (text.contains(u'e')) text = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    if (point != u'.') text.replace(u'.', point);
    return text;
}

QByteArray csvText(const std::vector<CsvReading>& readings, bool german)
{
    const QChar separator = german ? u';' : u',';
    const QChar point = german ? u',' : u'.';
    const QStringList heading = german ? QStringList{QStringLiteral("Datum"), QStringLiteral("Zeit"), QStringLiteral("Nr"),
                                                     QStringLiteral("Wert"), QStringLiteral("Einheit"),
                                                     QStringLiteral("Material")}
                                       : QStringList{QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("No"),
                                                     QStringLiteral("Value"), QStringLiteral("Unit"),
                                                     QStringLiteral("Material")};
    QString text = heading.join(separator) + QStringLiteral("\r\n");
    for (const CsvReading& r : readings) {
        const QStringList fields = {r.datum, r.zeit, QString::number(r.nr), shortestNumber(r.wert, point),
                                    r.einheit.trimmed(), r.material.trimmed()};
        QStringList quoted;
        for (const QString& f : fields) quoted << csvField(f, separator);
        text += quoted.join(separator) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace kivo
