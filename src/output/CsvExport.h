#pragma once
// The table on show as CSV for other programs: UTF-8 with a byte-order mark,
// CR LF, a heading row, one row per reading with its value as stored.

#include <QByteArray>
#include <QString>
#include <vector>

namespace kivo {

struct CsvReading {
    QString datum;
    QString zeit;
    int nr = 0;
    double wert = 0;
    QString einheit;  // as stored (padded); written without padding
    QString material;
};

// German: ";" between fields and a decimal comma; English: "," and a point.
QByteArray csvText(const std::vector<CsvReading>& readings, bool german);

// A field quoted by RFC 4180 where it holds the separator, a quote or a line end.
QString csvField(const QString& text, QChar separator);

// The shortest text that reads back as the same double, with `point` as the
// decimal separator.
QString shortestNumber(double value, QChar point);

} // namespace kivo
