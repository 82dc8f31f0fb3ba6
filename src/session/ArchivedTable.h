#pragma once
// The session's tables and the archive's inspections, one into the other:
// what a table is kept as, and what an archived inspection shows and writes
// as.

#include "archive/ArchiveRecord.h"
#include "table/Records.h"

#include <QString>
#include <vector>

namespace kivo {

class GaugeSession;

// The inspection of table `kind` as the session holds it now, with a new
// uuid: when, which gauge, the project data and limits, every reading.
Inspection inspectionOf(const GaugeSession& session, int kind, const QString& source);

// The inspection of a measurement file in table `kind`: taken on the file's
// date, its readings have the table's date, and its uuid comes from the
// readings, so the same file opened or imported again is the same
// inspection. The gauge on the line and the project data of today are not
// the file's and are left out.
Inspection fileInspectionOf(const GaugeSession& session, int kind, const QString& fileName);

// The readings of an inspection as the table keeps them, in the order
// taken, at most `limit`.
std::vector<Record> recordsOf(const Inspection& inspection, int limit);

// Whether two inspections were taken with the same project data and limits.
bool sameProject(const Inspection& a, const Inspection& b);

// How the table on show names an inspection opened from the archive.
QString archivedName(qint64 id, bool german);

} // namespace kivo
