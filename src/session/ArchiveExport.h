#pragma once
// An archived inspection written as the window writes a table: with the
// project data and limits it was taken with, in the language and for the
// installation of a session alike, which is left as it is.

#include "archive/ArchiveRecord.h"
#include "output/CustomerReport.h"
#include "session/TableOutput.h"

#include <QString>

namespace kivo {

class GaugeSession;

// The table an inspection of `source` ("memory2", "online", ...) is shown in.
int tableKindOf(const QString& source);

// Writes `inspection` to `path` as `like` would write it; "" or why not.
QString writeInspection(const Inspection& inspection, const GaugeSession& like, const QString& path, TableFormat format);
// What the inspection report of `inspection` says, with the check kept with it.
ReportSource customerReportSource(const Inspection& inspection, const GaugeSession& like, const QDateTime& madeAt);

} // namespace kivo
