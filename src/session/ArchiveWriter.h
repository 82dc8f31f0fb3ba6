#pragma once
// The archive's writes on a thread of their own, so a server that stops
// answering holds up a write, never the window. One write at a time; its
// outcome is handed back both to a caller waiting for it and, queued, to
// the recorder's thread.

#include "archive/Archive.h"
#include "archive/ArchiveJournal.h"

#include <QMutex>
#include <QObject>
#include <QWaitCondition>
#include <functional>
#include <memory>
#include <optional>

namespace kivo {

struct WriteOutcome {
    quint64 ticket = 0;
    enum class Kind { Kept, InspectionGone, Failed } kind = Kind::Failed;
    QString why; // for a failure
};

// Where a waiting caller finds the outcome of the write it waits for.
class OutcomeBox {
public:
    void put(const WriteOutcome& outcome);
    // The outcome of `ticket` within `ms`; nullopt when it is not there yet.
    std::optional<WriteOutcome> waitFor(quint64 ticket, int ms);

private:
    QMutex mutex;
    QWaitCondition arrived;
    std::optional<WriteOutcome> last;
};

class ArchiveWriter : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<Archive>()>;
    ArchiveWriter(Opener open, std::shared_ptr<OutcomeBox> box);
    ~ArchiveWriter() override;

    // Runs on the writer's thread.
    void write(quint64 ticket, const ArchiveWrite& write);

signals:
    void done(const kivo::WriteOutcome& outcome);

private:
    Opener opener;
    std::shared_ptr<OutcomeBox> box;
    std::unique_ptr<Archive> archive;
};

} // namespace kivo

Q_DECLARE_METATYPE(kivo::WriteOutcome)
