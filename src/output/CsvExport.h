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
// The heading row and one reading's row, without their line end.
QString csvHeading(bool german);
QString csvRow(const CsvReading& reading, bool german);

// A field quoted by RFC 4180 where it holds a comma, a semicolon, a tab, a
// quote or a line end.
QString csvField(const QString& text, QChar separator);

// A text field: one that starts with "=", "+", "-", "@", a tab or a CR gets
// a leading apostrophe, so no spreadsheet takes it for a formula.
QString csvTextField(const QString& text, QChar separator);

// The value with the digits it has: rounded to 10 significant digits, then
// the shortest text that reads back as that, with `point` as the decimal
// separator.
inline constexpr int kCsvSignificantDigits = 10;
QString shortestNumber(double value, QChar point);

} // namespace kivo
