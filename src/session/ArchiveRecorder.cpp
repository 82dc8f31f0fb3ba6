#include "session/ArchiveRecorder.h"

#include "session/GaugeSession.h"
#include "session/ArchiveListing.h"
#include "session/ArchivedTable.h"
#include "session/ArchiveWriter.h"
#include "evaluation/Judgement.h"

#include "shared/LocaleNumber.h"
#include "texts/Phrases.h"

#include <QCryptographicHash>
#include <QDir>

namespace kivo {

namespace {

constexpr int kRetryMs = 5000;
// How long the program waits for a write before it calls the archive out
// of reach and goes on; and at its end, for the write under way.
constexpr int kWaitMs = 1500;
constexpr int kEndWaitMs = 2000;

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
    if (!where.outcome.target) return where.outcome.error;
    return oneLine(archive ? archive->error() : QString()).simplified();
}

QString archiveShown(const ArchiveLocation& where)
{
    return where.outcome.target ? where.outcome.target->shown() : where.from;
}

QString shortReason(const QString& why, int longest)
{
    // The driver's text may run over several lines.
    QString reason = oneLine(why).simplified();
    if (longest > 0 && reason.size() > longest) reason = reason.left(longest - 1) + u'…';
    return reason;
}

QString unreachableText(const ArchiveLocation& where, const QString& why, bool german, int longest)
{
    const QString reason = shortReason(why, longest);
    if (!where.outcome.target)
        return phrase(Phrase::ArchiveLineUnusable, german).arg(where.from + QStringLiteral(": ") + where.outcome.error);
    return phrase(Phrase::ArchiveUnreachable, german).arg(archiveShown(where) + QStringLiteral(": ") + reason);
}

ArchiveJournal sessionJournal(const GaugeSession& session)
{
    // One journal for each archive: what waits for the team's server never
    // lands in another archive used meanwhile. What waited while the line
    // could not be used waits for the archive the line is mended to.
    const QDir data(session.identity().MessDataPath);
    const ArchiveLocation where = sessionArchive(session);
    const QString unnamed = data.filePath(QStringLiteral("Archiv-wartend.jsonl"));
    if (!where.outcome.target) return ArchiveJournal(unnamed);
    const QString shown = archiveShown(where);
    const QString tag = QString::fromLatin1(QCryptographicHash::hash(shown.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    ArchiveJournal journal(data.filePath(QStringLiteral("Archiv-wartend-%1.jsonl").arg(tag)));
    journal.absorb(unnamed);
    return journal;
}

ArchiveRecorder::ArchiveRecorder(GaugeSession& session_, Opener open, std::optional<ArchiveJournal> journal_,
                                 QObject* parent)
    : QObject(parent), session(session_), opener(std::move(open)), box(std::make_shared<OutcomeBox>()),
      thread(new QThread), writer(new ArchiveWriter(opener, box)), journal(std::move(journal_))
{
    qRegisterMetaType<WriteOutcome>();
    writer->moveToThread(thread);
    connect(thread, &QThread::finished, writer, &QObject::deleteLater);
    connect(writer, &ArchiveWriter::done, this, &ArchiveRecorder::settle);
    thread->start();
    if (journal) {
        queue = journal->load();
        journaled = !queue.empty();
        if (journal->skippedLines() > 0)
            session.writeLog(QStringLiteral("Archive: %1 damaged lines of %2 left out")
                                 .arg(journal->skippedLines())
                                 .arg(journal->path()));
        // Sent once the program is up, not while it starts.
        if (journaled) QTimer::singleShot(0, this, [this] { send(); });
    }
    retry.setInterval(kRetryMs);
    // Out of reach, the archive is tried on the timer, never waited for.
    connect(&retry, &QTimer::timeout, this, [this] { send(); });
    connect(&session, &GaugeSession::memoryTaken, this, [this](int kind) {
        Inspection in = inspectionOf(session, kind, sourceOf(kind));
        tableUuids[size_t(kind)] = in.uuid;
        enqueue({std::move(in), {}, {}, {}});
    });
    connect(&session, &GaugeSession::fileTaken, this, [this](int kind, const QString& name) {
        Inspection in = fileInspectionOf(session, kind, name);
        if (kind >= kFE && kind <= kOnline) tableUuids[size_t(kind)] = in.uuid;
        enqueue({std::move(in), {}, {}, {}});
        // Readings that follow a file opened into the online table are a
        // session of their own.
        if (kind == kOnline) onlineUuid.clear();
    });
    connect(&session, &GaugeSession::onlineSessionBegins, this, [this] {
        onlineUuid.clear();
        tableUuids[size_t(kOnline)].clear();
    });
    // An inspection opened from the archive is kept there already; readings
    // that follow it in the online table are a session of their own.
    connect(&session, &GaugeSession::inspectionOpened, this, [this](int kind) {
        if (kind == kOnline) onlineUuid.clear();
        if (kind >= kFE && kind <= kOnline) tableUuids[size_t(kind)] = session.origin(kind).archiveUuid;
    });
    connect(&session, &GaugeSession::judged, this, &ArchiveRecorder::judged);
    connect(&session, &GaugeSession::readingTaken, this, [this](int kind, int slot) {
        if (kind == kOnline) onlineReading(slot);
    });
}

ArchiveRecorder::~ArchiveRecorder()
{
    // What has not reached the archive waits in the journal for the next
    // start; a write under way counts as not arrived (sent twice, it is kept once).
    if (journal && !queue.empty() && !journaled) journal->keepAll(queue);
    disconnect(writer, nullptr, this, nullptr);
    thread->quit();
    if (thread->wait(kEndWaitMs)) delete thread;
    // else a server holds the write forever: the thread is left to the
    // program's end rather than destroyed while it runs.
}

void ArchiveRecorder::onlineReading(int slot)
{
    const Record& r = session.tables().record(kOnline, slot);
    if (onlineUuid.isEmpty()) {
        Inspection in = inspectionOf(session, kOnline, QStringLiteral("online"));
        in.readings.clear();
        in.unit = r.einheit;
        onlineUuid = in.uuid;
        tableUuids[size_t(kOnline)] = in.uuid;
        onlineWhole = in;
        enqueue({in, {}, {}, {}});
    }
    const ArchivedReading reading{int(onlineWhole->readings.size()) + 1, r.nr, r.wert, r.einheit, r.material, r.datum, r.zeit};
    onlineWhole->readings.push_back(reading);
    enqueue({std::nullopt, onlineUuid, reading, {}});
}

void ArchiveRecorder::judged(int kind)
{
    if (kind < kFE || kind > kOnline || tableUuids[size_t(kind)].isEmpty()) return;
    const std::optional<Judgement>& chosen = session.origin(kind).judgement;
    ArchiveWrite::Judged j;
    if (chosen) {
        j.judgement = judgementText(*chosen);
        if (kind == session.tableKind())
            j.met = judge(session.tableToJudge().values, *chosen, false, [](double v) { return QString::number(v); }).met;
    }
    if (onlineWhole && tableUuids[size_t(kind)] == onlineUuid) {
        onlineWhole->judgement = j.judgement;
        onlineWhole->verdictMet = j.met;
    }
    enqueue({std::nullopt, tableUuids[size_t(kind)], {}, j});
}

void ArchiveRecorder::enqueue(ArchiveWrite write)
{
    if (journaled) journal->append(write);
    queue.push_back(std::move(write));
    // Reachable, each write is in the archive before the program goes on
    // (an online reading before the next is taken), unless the archive
    // takes too long: then it is out of reach and tried on the timer.
    if (!saidUnreachable) sendAndWait(kWaitMs);
}

void ArchiveRecorder::send()
{
    if (underWay != 0 || queue.empty()) return;
    underWay = ++lastTicket;
    const ArchiveWrite front = queue.front();
    const quint64 ticket = underWay;
    QMetaObject::invokeMethod(writer, [w = writer, ticket, front] { w->write(ticket, front); }, Qt::QueuedConnection);
}

void ArchiveRecorder::sendAndWait(int msEach)
{
    while (!queue.empty()) {
        send();
        const std::optional<WriteOutcome> outcome = box->waitFor(underWay, msEach);
        if (!outcome) {
            outOfReach(phrase(Phrase::ArchiveNoAnswer, session.german()).arg(languageLocale(session.german()).toString(msEach / 1000.0)));
            return;
        }
        const bool failed = outcome->kind == WriteOutcome::Kind::Failed;
        settle(*outcome);
        if (failed) return;
    }
}

bool ArchiveRecorder::flush(int msEach)
{
    sendAndWait(msEach);
    return queue.empty();
}

void ArchiveRecorder::settle(const WriteOutcome& outcome)
{
    if (outcome.ticket != underWay) return; // settled already by a caller that waited for it
    underWay = 0;
    switch (outcome.kind) {
    case WriteOutcome::Kind::Failed:
        outOfReach(outcome.why);
        return;
    case WriteOutcome::Kind::InspectionGone: {
        // Its inspection was deleted from the archive while it grew: the
        // session is kept again whole, so none of its readings is lost.
        const QString uuid = queue.front().uuid;
        queue.pop_front();
        if (onlineWhole && uuid == onlineUuid) {
            session.writeLog(QStringLiteral("Archive: the online session was deleted from the archive while it was "
                                            "taken; it is kept again with its %1 readings")
                                 .arg(onlineWhole->readings.size()));
            queue.push_front({onlineWhole, {}, {}, {}});
        }
        break;
    }
    case WriteOutcome::Kind::Kept:
        queue.pop_front();
        emit kept();
        break;
    }
    if (!queue.empty()) {
        // The rest follows; a caller that waits, waits for it too.
        send();
        return;
    }
    retry.stop();
    if (journaled) journal->clear();
    journaled = false;
    if (saidUnreachable) {
        saidUnreachable = false;
        emit reachable();
    }
}

void ArchiveRecorder::outOfReach(const QString& why)
{
    if (journal && !journaled) journaled = journal->keepAll(queue);
    if (!saidUnreachable) {
        saidUnreachable = true;
        emit unreachable(why);
    }
    if (!retry.isActive()) retry.start();
}

} // namespace kivo
