#include "session/ArchivedTable.h"

#include "session/GaugeSession.h"
#include "session/ModelTable.h"
#include "table/RecordDate.h"

#include <QCryptographicHash>
#include <QUuid>

namespace kivo {

namespace {

std::optional<double> limitOrNone(double v) { return v != 0 ? std::optional<double>(v) : std::nullopt; }

// Any fixed uuid: the namespace of the uuids made from a file's readings.
const QUuid kFileNamespace(QStringLiteral("{6f1c7a52-3b0e-4d1a-9a57-0c2f7e4b8d31}"));

} // namespace

Inspection inspectionOf(const GaugeSession& session, int kind, const QString& source)
{
    Inspection in;
    in.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    in.takenAt = QDateTime::currentDateTimeUtc();
    in.source = source;
    const TableOrigin gauge = session.gaugeOrigin(source);
    in.gaugeCode = gauge.gaugeCode;
    in.model = gauge.model;
    in.gaugeVersion = gauge.gaugeVersion;
    in.serial = gauge.serial;
    in.projectCaptions = session.projectCaptions();
    in.projectFields = session.projectData().felder;
    in.projectDate = session.projectData().date.toString(QStringLiteral("dd.MM.yyyy"));
    in.projectTime = session.projectData().time.toString(QStringLiteral("HH:mm"));
    const Limits& limits = session.tables().limits();
    in.limitMin = limitOrNone(limits.Emin);
    in.limitMax = limitOrNone(limits.Emax);
    in.target = limitOrNone(limits.Esoll);
    in.installation = session.identity().AppDataPath;
    const MeasurementTables& tables = session.tables();
    const int n = kind >= kFE && kind <= kOnline ? tables.count(kind) : 0;
    for (int slot = 1; slot <= n; ++slot) {
        const Record& r = tables.record(kind, slot);
        in.readings.push_back({slot, r.nr, r.wert, r.einheit, r.material, r.datum, r.zeit});
    }
    if (!in.readings.empty()) in.unit = in.readings.front().unit;
    return in;
}

Inspection fileInspectionOf(const GaugeSession& session, int kind, const QString& fileName)
{
    Inspection in = inspectionOf(session, kind, QStringLiteral("file"));
    in.fileName = fileName;
    // A file was measured by its own gauge, for its own project, on its own
    // day: the gauge on the line and today's project data are not its.
    in.gaugeCode.clear();
    in.gaugeVersion.clear();
    in.serial.clear();
    in.projectFields = {};
    in.projectDate.clear();
    in.projectTime.clear();
    in.limitMin = in.limitMax = in.target = std::nullopt;
    const QString fileDate = leadingDate(session.tables().record(kind, 1).datum);
    const QDate day = QDate::fromString(fileDate, QStringLiteral("dd.MM.yyyy"));
    const QTime time = in.readings.empty() ? QTime() : QTime::fromString(in.readings.front().time, QStringLiteral("hh:mm:ss"));
    if (day.isValid()) in.takenAt = QDateTime(day, time.isValid() ? time : QTime(0, 0)).toUTC();
    // Where a table from a file keeps its date depends on the table's state
    // before: the readings' own fields make the uuid, the table's date is
    // each reading's.
    const QString date = session.tableDate(kind);
    QByteArray content = fileDate.toUtf8() + '\n'; // the same readings on another day are another inspection
    for (ArchivedReading& r : in.readings) {
        content += QByteArray::number(r.nr) + ';' + QByteArray::number(r.value, 'g', 17) + ';' + r.unit.toUtf8() + ';'
                   + r.material.toUtf8() + ';' + r.time.toUtf8() + '\n';
        r.date = date;
    }
    in.uuid = QUuid::createUuidV5(kFileNamespace, content).toString(QUuid::WithoutBraces);
    return in;
}

std::vector<Record> recordsOf(const Inspection& in, int limit)
{
    std::vector<Record> records;
    for (const ArchivedReading& a : in.readings) {
        if (int(records.size()) >= limit) break;
        records.push_back({a.date, a.time, a.nr, a.value, a.unit, a.material});
    }
    return records;
}

bool sameProject(const Inspection& a, const Inspection& b)
{
    return a.projectFields == b.projectFields && a.limitMin == b.limitMin && a.limitMax == b.limitMax && a.target == b.target;
}

QString archivedName(qint64 id, bool german)
{
    return (german ? QStringLiteral("Archiv #%1") : QStringLiteral("Archive #%1")).arg(id);
}

} // namespace kivo
