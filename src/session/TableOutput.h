#pragma once
// The table on show written as the window writes it: a measurement file
// (.mes), CSV, a workbook (.xlsx, with its chart where the units allow) or
// a word-processor document (.odt). kivo-cli writes through here; each file
// is whole or not there.

#include <QByteArray>
#include <QString>
#include <optional>

namespace kivo {

class GaugeSession;

enum class TableFormat { Mes, Csv, Xlsx, Odt };

// "mes", "csv", "xlsx", "odt" (any case); nullopt for anything else.
std::optional<TableFormat> formatNamed(const QString& name);
// The format a file's ending names; nullopt when it names none of them.
std::optional<TableFormat> formatOfPath(const QString& path);
QString formatSuffix(TableFormat format);

// Writes the table on show to `path`, replacing an older file whole.
// Returns "" or why the file cannot be written.
QString writeShownTable(GaugeSession& session, const QString& path, TableFormat format);

// The table on show as a measurement file's text or CSV, for a pipe:
// UTF-8, CR LF, no byte-order mark.
QByteArray shownTableText(GaugeSession& session, TableFormat format);

} // namespace kivo
