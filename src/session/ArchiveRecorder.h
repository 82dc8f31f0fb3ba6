#pragma once
// Keeps every inspection of the session in the archive as it happens: a
// downloaded memory and a measurement file opened at once, an online
// session reading by reading, each kept before the next is taken. The
// archive is a record, the table a view: a reading deleted from the table
// stays in the archive. An archive that cannot be reached is said once;
// its writes wait, in order, and none is kept twice when it answers again.

#include "archive/Archive.h"
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
// The archive opened at `where`; nullptr when the line names none.
std::unique_ptr<Archive> openArchive(const ArchiveLocation& where);
// Why `archive` (opened at `where`, or not) is out of reach.
QString whyUnreachable(const ArchiveLocation& where, const Archive* archive);

class ArchiveRecorder : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<Archive>()>;
    ArchiveRecorder(GaugeSession& session, Opener open, QObject* parent = nullptr);
    ~ArchiveRecorder() override;

    // Another connection to the archive the session keeps its inspections
    // in, for finding them again.
    std::unique_ptr<Archive> openAnother() const { return opener(); }
    // Writes waiting for the archive.
    int waiting() const { return int(queue.size()); }
    // Tries the waiting writes now; true when none is left.
    bool flush();

signals:
    // The archive cannot be reached (said once until it answers again), and
    // answers again.
    void unreachable(const QString& why);
    void reachable();

private:
    struct Write {
        std::optional<Inspection> whole; // a new inspection
        QString uuid;                    // else one reading more for it
        ArchivedReading reading;
    };
    void enqueue(Write write);
    void onlineReading(int slot);

    GaugeSession& session;
    Opener opener;
    std::unique_ptr<Archive> archive;
    std::deque<Write> queue;
    QTimer retry;
    bool saidUnreachable = false;
    QString onlineUuid; // the online session being kept; "" before its first reading
    int onlineSeq = 0;
};

} // namespace kivo
