#include "session/ArchiveRecorder.h"

#include "session/GaugeSession.h"
#include "session/ModelTable.h"

#include <QUuid>

namespace kivo {

namespace {

constexpr int kRetryMs = 5000;

std::optional<double> limitOrNone(double v) { return v != 0 ? std::optional<double>(v) : std::nullopt; }

ArchivedReading archived(const Record& r, int seq)
{
    return {seq, r.nr, r.wert, r.einheit, r.material, r.datum, r.zeit};
}

QString sourceOf(int kind) { return kind == kFE ? QStringLiteral("memory1") : kind == kNFE ? QStringLiteral("memory2") : QStringLiteral("online"); }

} // namespace

Inspection inspectionOf(const GaugeSession& session, int kind, const QString& source)
{
    Inspection in;
    in.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    in.takenAt = QDateTime::currentDateTimeUtc();
    in.source = source;
    const DeviceLink& link = session.link();
    in.gaugeCode = link.geraet();
    const ModelRow* row = rowForGauge(link.geraet());
    in.model = row ? QString::fromLatin1(row->code) : session.identity().geraet;
    in.gaugeVersion = link.device().geraetesoftware;
    in.serial = link.device().macadr;
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
    for (int slot = 1; slot <= n; ++slot) in.readings.push_back(archived(tables.record(kind, slot), slot));
    if (!in.readings.empty()) in.unit = in.readings.front().unit;
    return in;
}

ArchiveRecorder::ArchiveRecorder(GaugeSession& session_, Opener open, QObject* parent)
    : QObject(parent), session(session_), opener(std::move(open))
{
    retry.setInterval(kRetryMs);
    connect(&retry, &QTimer::timeout, this, [this] { flush(); });
    connect(&session, &GaugeSession::memoryTaken, this, [this](int kind) {
        enqueue({inspectionOf(session, kind, sourceOf(kind)), {}, {}});
    });
    connect(&session, &GaugeSession::fileTaken, this, [this](int kind, const QString& name) {
        Inspection in = inspectionOf(session, kind, QStringLiteral("file"));
        in.fileName = name;
        enqueue({in, {}, {}});
        // Readings that follow a file opened into the online table are a
        // session of their own.
        if (kind == kOnline) onlineUuid.clear();
    });
    connect(&session, &GaugeSession::onlineSessionBegins, this, [this] { onlineUuid.clear(); });
    connect(&session, &GaugeSession::readingTaken, this, [this](int kind, int slot) {
        if (kind == kOnline) onlineReading(slot);
    });
}

ArchiveRecorder::~ArchiveRecorder() = default;

void ArchiveRecorder::onlineReading(int slot)
{
    const Record& r = session.tables().record(kOnline, slot);
    if (onlineUuid.isEmpty()) {
        Inspection in = inspectionOf(session, kOnline, QStringLiteral("online"));
        in.readings.clear();
        in.unit = r.einheit;
        onlineUuid = in.uuid;
        onlineSeq = 0;
        enqueue({in, {}, {}});
    }
    enqueue({std::nullopt, onlineUuid, archived(r, ++onlineSeq)});
}

void ArchiveRecorder::enqueue(Write write)
{
    queue.push_back(std::move(write));
    // Out of reach, the archive is tried on the timer only: a server that
    // does not answer must not hold up every reading the operator takes.
    if (!saidUnreachable) flush();
}

bool ArchiveRecorder::flush()
{
    if (!archive || !archive->isOpen()) archive = opener();
    while (!queue.empty() && archive && archive->isOpen()) {
        const Write& w = queue.front();
        const bool kept = w.whole ? archive->keep(*w.whole).has_value() : archive->append(w.uuid, w.reading);
        if (!kept) break;
        queue.pop_front();
    }
    if (queue.empty()) {
        retry.stop();
        if (saidUnreachable) {
            saidUnreachable = false;
            emit reachable();
        }
        return true;
    }
    const QString why = archive ? archive->error() : QStringLiteral("no archive");
    archive.reset(); // opened anew at the next try: the server may be back
    if (!saidUnreachable) {
        saidUnreachable = true;
        emit unreachable(why);
    }
    if (!retry.isActive()) retry.start();
    return false;
}

} // namespace kivo
