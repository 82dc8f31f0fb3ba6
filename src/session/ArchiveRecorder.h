#pragma once
// Keeps every inspection of the session in the archive as it happens: a
// downloaded memory and a measurement file opened at once, an online
// session reading by reading, each kept before the next is taken. The
// archive is a record, the table a view: a reading deleted from the table
// stays in the archive. An archive that cannot be reached is said once;
// its writes wait, in order, and none is kept twice when it answers again.

#include "archive/Archive.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace kivo {

class GaugeSession;

// The inspection of table `kind` as the session holds it now.
Inspection inspectionOf(const GaugeSession& session, int kind, const QString& source);

class ArchiveRecorder : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<Archive>()>;
    ArchiveRecorder(GaugeSession& session, Opener open, QObject* parent = nullptr);
    ~ArchiveRecorder() override;

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
