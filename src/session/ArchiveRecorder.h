#pragma once
// Keeps every inspection of the session in the archive as it happens: a
// downloaded memory and a measurement file opened at once, an online
// session reading by reading, each kept before the next is taken. The
// archive is a record, the table a view: a reading deleted from the table
// stays in the archive. An archive that cannot be reached is said once;
// its writes wait, in order, and none is kept twice when it answers again.

#include "archive/Archive.h"
#include "archive/ArchiveJournal.h"
#include "archive/ArchiveLocation.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace kivo {

class GaugeSession;

// The archive of the session's installation: KIVO_ARCHIVE, else Archiv.ini
// in its settings folder, else Archiv.sqlite in its data folder.
ArchiveLocation sessionArchive(const GaugeSession& session);
// Where the writes that wait for it are kept: in the data folder.
ArchiveJournal sessionJournal(const GaugeSession& session);
// The archive opened at `where`; nullptr when the line names none.
std::unique_ptr<Archive> openArchive(const ArchiveLocation& where);
// Why `archive` (opened at `where`, or not) is out of reach.
QString whyUnreachable(const ArchiveLocation& where, const Archive* archive);

class ArchiveRecorder : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<Archive>()>;
    // With a journal, the writes that wait for the archive are kept in it
    // until they are in the archive, and those a program before left are
    // sent first.
    ArchiveRecorder(GaugeSession& session, Opener open, std::optional<ArchiveJournal> journal = std::nullopt,
                    QObject* parent = nullptr);
    ~ArchiveRecorder() override;

    // Another connection to the archive the session keeps its inspections
    // in, for finding them again.
    std::unique_ptr<Archive> openAnother() const { return opener(); }
    // Writes waiting for the archive, and whether the journal keeps them.
    int waiting() const { return int(queue.size()); }
    bool waitingInJournal() const { return journaled; }
    // Tries the waiting writes now; true when none is left.
    bool flush();

signals:
    // The archive cannot be reached (said once until it answers again), and
    // answers again.
    void unreachable(const QString& why);
    void reachable();

private:
    void enqueue(ArchiveWrite write);
    void onlineReading(int slot);

    GaugeSession& session;
    Opener opener;
    std::unique_ptr<Archive> archive;
    std::deque<ArchiveWrite> queue;
    std::optional<ArchiveJournal> journal;
    bool journaled = false; // the queue stands in the journal
    QTimer retry;
    bool saidUnreachable = false;
    QString onlineUuid; // the online session being kept; "" before its first reading
    int onlineSeq = 0;
};

} // namespace kivo
