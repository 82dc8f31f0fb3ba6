#include "session/ArchiveWriter.h"

#include <QDeadlineTimer>

namespace kivo {

void OutcomeBox::put(const WriteOutcome& outcome)
{
    const QMutexLocker lock(&mutex);
    last = outcome;
    arrived.wakeAll();
}

std::optional<WriteOutcome> OutcomeBox::waitFor(quint64 ticket, int ms)
{
    QDeadlineTimer deadline(ms);
    QMutexLocker lock(&mutex);
    while (!last || last->ticket != ticket)
        if (!arrived.wait(&mutex, deadline)) break;
    if (last && last->ticket == ticket) return last;
    return std::nullopt;
}

ArchiveWriter::ArchiveWriter(Opener open, std::shared_ptr<OutcomeBox> box_) : opener(std::move(open)), box(std::move(box_)) {}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::write(quint64 ticket, const ArchiveWrite& w)
{
    // A file removed under the program would take every later write with
    // it: a new one is started.
    if (archive && (!archive->isOpen() || archive->fileGone())) archive.reset();
    if (!archive) archive = opener();
    WriteOutcome outcome;
    outcome.ticket = ticket;
    if (!archive || !archive->isOpen()) {
        outcome.why = archive ? archive->error() : QString();
        archive.reset();
    } else if (w.judged) {
        // A check on an inspection deleted meanwhile has nothing to go with.
        if (archive->judge(w.uuid, w.judged->judgement, w.judged->met) != Archive::Appended::Failed)
            outcome.kind = WriteOutcome::Kind::Kept;
    } else if (w.whole) {
        if (archive->keep(*w.whole)) outcome.kind = WriteOutcome::Kind::Kept;
    } else {
        switch (archive->append(w.uuid, w.reading)) {
        case Archive::Appended::Kept: outcome.kind = WriteOutcome::Kind::Kept; break;
        case Archive::Appended::NoInspection: outcome.kind = WriteOutcome::Kind::InspectionGone; break;
        case Archive::Appended::Failed: break;
        }
    }
    if (outcome.kind == WriteOutcome::Kind::Failed && archive) {
        outcome.why = archive->error();
        archive.reset(); // opened anew at the next try: the server may be back
    }
    box->put(outcome);
    emit done(outcome);
}

} // namespace kivo
