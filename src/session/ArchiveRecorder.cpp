#include "session/ArchiveRecorder.h"

#include "session/GaugeSession.h"
#include "session/ArchivedTable.h"

#include <QDir>

namespace kivo {

namespace {

constexpr int kRetryMs = 5000;

QString sourceOf(int kind) { return kind == kFE ? QStringLiteral("memory1") : kind == kNFE ? QStringLiteral("memory2") : QStringLiteral("online"); }

} // namespace

ArchiveLocation sessionArchive(const GaugeSession& session)
{
    return archiveLocation(qEnvironmentVariable("KIVO_ARCHIVE"), session.identity().AppDataPath,
                           session.identity().MessDataPath);
}

std::unique_ptr<Archive> openArchive(const ArchiveLocation& where)
{
    if (!where.outcome.target) return nullptr;
    return std::make_unique<Archive>(*where.outcome.target);
}

QString whyUnreachable(const ArchiveLocation& where, const Archive* archive)
{
    if (!where.outcome.target) return where.from + QStringLiteral(": ") + where.outcome.error;
    return archive ? archive->error() : QString();
}

ArchiveJournal sessionJournal(const GaugeSession& session)
{
    return ArchiveJournal(QDir(session.identity().MessDataPath).filePath(QStringLiteral("Archiv-wartend.jsonl")));
}

ArchiveRecorder::ArchiveRecorder(GaugeSession& session_, Opener open, std::optional<ArchiveJournal> journal_,
                                 QObject* parent)
    : QObject(parent), session(session_), opener(std::move(open)), journal(std::move(journal_))
{
    if (journal) {
        queue = journal->load();
        journaled = !queue.empty();
        // Sent once the program is up, not while it starts.
        if (journaled) QTimer::singleShot(0, this, [this] { flush(); });
    }
    retry.setInterval(kRetryMs);
    connect(&retry, &QTimer::timeout, this, [this] { flush(); });
    connect(&session, &GaugeSession::memoryTaken, this, [this](int kind) {
        enqueue({inspectionOf(session, kind, sourceOf(kind)), {}, {}});
    });
    connect(&session, &GaugeSession::fileTaken, this, [this](int kind, const QString& name) {
        enqueue({fileInspectionOf(session, kind, name), {}, {}});
        // Readings that follow a file opened into the online table are a
        // session of their own.
        if (kind == kOnline) onlineUuid.clear();
    });
    connect(&session, &GaugeSession::onlineSessionBegins, this, [this] { onlineUuid.clear(); });
    // An inspection opened from the archive is kept there already; readings
    // that follow it in the online table are a session of their own.
    connect(&session, &GaugeSession::inspectionOpened, this, [this](int kind) {
        if (kind == kOnline) onlineUuid.clear();
    });
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
    enqueue({std::nullopt, onlineUuid, {++onlineSeq, r.nr, r.wert, r.einheit, r.material, r.datum, r.zeit}});
}

void ArchiveRecorder::enqueue(ArchiveWrite write)
{
    if (journaled) journal->append(write);
    queue.push_back(std::move(write));
    // Out of reach, the archive is tried on the timer only: a server that
    // does not answer must not hold up every reading the operator takes.
    if (!saidUnreachable) flush();
}

bool ArchiveRecorder::flush()
{
    if (!archive || !archive->isOpen()) archive = opener();
    while (!queue.empty() && archive && archive->isOpen()) {
        const ArchiveWrite& w = queue.front();
        const bool kept = w.whole ? archive->keep(*w.whole).has_value() : archive->append(w.uuid, w.reading);
        if (!kept) break;
        queue.pop_front();
    }
    if (queue.empty()) {
        retry.stop();
        if (journaled) journal->clear();
        journaled = false;
        if (saidUnreachable) {
            saidUnreachable = false;
            emit reachable();
        }
        return true;
    }
    const QString why = archive ? archive->error() : QStringLiteral("no archive");
    archive.reset(); // opened anew at the next try: the server may be back
    if (journal && !journaled) journaled = journal->keepAll(queue);
    if (!saidUnreachable) {
        saidUnreachable = true;
        emit unreachable(why);
    }
    if (!retry.isActive()) retry.start();
    return false;
}

} // namespace kivo
