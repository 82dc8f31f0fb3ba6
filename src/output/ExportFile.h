#pragma once
// Where an export lands: a new file in the export folder named after the
// table and the time. It is written under a temporary name and only then
// given its own, so a failed export leaves nothing behind and an older file
// is never replaced. Online.mes of an earlier session is set aside the
// same way.

#include <QDateTime>
#include <QString>
#include <functional>

namespace kivo {

// "Messwerte_2026-12-07_14-03-22.xlsx"; from the second attempt on a
// number is added ("..._14-03-22_2.xlsx") for exports within one second.
QString exportFileName(const QString& base, const QDateTime& when, const QString& suffix, int attempt = 1);

// The file at `from` given the first free name exportFileName makes for
// `base` and `when` in `folder`; an existing file is never replaced.
struct DatedMove {
    QString path;        // the name given, or the last one tried
    bool moved = false;
    bool noFreeName = false;
    int systemError = 0; // errno of a rename that failed
    QString qtReason;    // Qt's reason where the system gave no errno
};
DatedMove moveToDatedName(const QString& from, const QString& folder, const QString& base, const QDateTime& when,
                          const QString& suffix);
// Why a move failed, in German or English.
QString datedMoveFailure(const DatedMove& move, bool german);

struct ExportOutcome {
    QString path;    // the file written, or the one that could not be
    QString failure; // "" when written
};

// Writes through `write` (given the temporary file's path, returning "" or
// its reason for failing) and gives the file its name. `german` chooses the
// language of the failure texts.
ExportOutcome saveExport(const QString& folder, const QString& base, const QString& suffix, const QDateTime& when,
                         bool german, const std::function<QString(const QString& path)>& write);

// Writes `path` through `write` under a temporary name beside it and only
// then gives the file its name, replacing an older one whole: a failed or
// interrupted write leaves the old file as it was and nothing half-written.
// Returns "" or why the file cannot be written.
QString writeReplacing(const QString& path, bool german, const std::function<QString(const QString& path)>& write);

} // namespace kivo
