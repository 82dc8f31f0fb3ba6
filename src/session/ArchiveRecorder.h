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
#include <QThread>
#include <QTimer>
#include <array>
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
// Why `archive` (opened at `where`, or not) is out of reach, on one line.
QString whyUnreachable(const ArchiveLocation& where, const Archive* archive);
// The archive as the operator may read it: its line (never a password), or
// where an unusable line stands.
QString archiveShown(const ArchiveLocation& where);
// A driver's reason on one line, at most `longest` characters.
QString shortReason(const QString& why, int longest = 120);
// What the status bar says of an archive out of reach: the line cannot be
// used, or the archive does not answer, and `why` as shortReason gives it
// (all of it where `longest` is 0, as the log keeps it).
QString unreachableText(const ArchiveLocation& where, const QString& why, bool german, int longest = 120);

class ArchiveWriter;
class OutcomeBox;
struct WriteOutcome;

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
    // The online session being kept ("" when none), which must not be
    // deleted from the archive while it grows.
    QString recordingUuid() const { return onlineUuid; }
    // Sends the waiting writes and waits for them, each for at most
    // `msEach`; true when none is left.
    bool flush(int msEach = 5000);

signals:
    // The archive cannot be reached (said once until it answers again), and
    // answers again.
    void unreachable(const QString& why);
    void reachable();
    // An inspection is in the archive, or more of one.
    void kept();

private:
    void enqueue(ArchiveWrite write);
    void onlineReading(int slot);
    // The check chosen for table `kind` goes with its inspection.
    void judged(int kind);
    // The front write to the writer, unless one is under way.
    void send();
    // Sends and waits until nothing waits, the archive fails, or a write
    // takes longer than `msEach`.
    void sendAndWait(int msEach);
    // What became of the write under way.
    void settle(const WriteOutcome& outcome);
    void outOfReach(const QString& why);

    GaugeSession& session;
    Opener opener;
    std::shared_ptr<OutcomeBox> box;
    QThread* thread;         // leaks when a write never ends by the program's end
    ArchiveWriter* writer;   // lives on `thread`
    std::deque<ArchiveWrite> queue;
    quint64 underWay = 0;    // the ticket of the write being done, 0 for none
    quint64 lastTicket = 0;
    std::optional<ArchiveJournal> journal;
    bool journaled = false;  // the queue stands in the journal
    QTimer retry;
    bool saidUnreachable = false;
    QString onlineUuid;      // the online session being kept; "" before its first reading
    std::array<QString, 3> tableUuids; // the inspection each table is kept as, by table kind
    std::optional<Inspection> onlineWhole; // it whole, to keep it again should it be deleted meanwhile
};

} // namespace kivo
