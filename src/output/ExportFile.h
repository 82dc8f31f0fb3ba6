#pragma once
// Where an export lands: a new file in the export folder named after the
// table and the time. It is written under a temporary name and only then
// given its own, so a failed export leaves nothing behind and an older file
// is never replaced.

#include <QDateTime>
#include <QString>
#include <functional>

namespace kivo {

// "Messwerte_2026-12-07_14-03-22.xlsx"; from the second attempt on a
// number is added ("..._14-03-22_2.xlsx") for exports within one second.
QString exportFileName(const QString& base, const QDateTime& when, const QString& suffix, int attempt = 1);

struct ExportOutcome {
    QString path;    // the file written, or the one that could not be
    QString failure; // "" when written
};

// Writes through `write` (given the temporary file's path, returning "" or
// its reason for failing) and gives the file its name. `german` chooses the
// language of the failure texts.
ExportOutcome saveExport(const QString& folder, const QString& base, const QString& suffix, const QDateTime& when,
                         bool german, const std::function<QString(const QString& path)>& write);

} // namespace kivo
