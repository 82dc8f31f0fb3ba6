#pragma once
// The writes that wait for an archive out of reach, kept in a file beside
// the data, so a program ended (or stopped short) meanwhile loses none of
// them: the next start sends them. Each write is one JSON line. A write
// sent twice is kept once (an inspection by its uuid, a reading by its
// place), so a line that was sent already does no harm.

#include "archive/ArchiveRecord.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <optional>

namespace kivo {

// One write for the archive: a whole inspection, one reading more for the
// inspection `uuid`, or the acceptance check chosen for it.
struct ArchiveWrite {
    std::optional<Inspection> whole;
    QString uuid;
    ArchivedReading reading;
    struct Judged {
        QString judgement;
        std::optional<bool> met;
    };
    std::optional<Judged> judged;
};

QByteArray journalLine(const ArchiveWrite& write);
// nullopt for a line that is no write (damaged, cut short).
std::optional<ArchiveWrite> readJournalLine(const QByteArray& line);

class ArchiveJournal {
public:
    explicit ArchiveJournal(QString path) : file(std::move(path)) {}

    // What waited when the program before ended; lines that are no write
    // are passed over.
    std::deque<ArchiveWrite> load();
    // Lines the last load passed over.
    int skippedLines() const { return skipped; }
    // The waiting writes, replacing what the file held.
    bool keepAll(const std::deque<ArchiveWrite>& writes) const;
    bool append(const ArchiveWrite& write) const;
    // The writes of another journal appended to this one, that journal
    // removed once they are here.
    bool absorb(const QString& otherPath) const;
    // Nothing waits any more.
    void clear() const;
    const QString& path() const { return file; }

private:
    QString file;
    int skipped = 0;
};

} // namespace kivo
