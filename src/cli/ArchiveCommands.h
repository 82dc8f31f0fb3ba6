#pragma once
// kivo-cli's archive: `archive list|show|export|import` on the archive the
// window keeps (or KIVO_ARCHIVE's), and the keeping of what `download` and
// `online` read.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "session/ArchiveRecorder.h"

#include <QTextStream>
#include <memory>

namespace kivo::cli {

ExitCode runArchive(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);

// The archived inspection `id` of the session's archive; nullopt, said on
// `err` with the exit code in `code`, when there is none or no archive.
std::optional<Inspection> loadArchived(GaugeSession& session, const QString& id, bool german, QTextStream& err,
                                      ExitCode* code);

// While it lives, what the session reads is kept in the installation's
// archive, as the window keeps it. An archive out of reach is said on
// `err` when it is found so, and what it did not take when this ends.
// Whether a command's readings did not reach the archive (they wait in
// the journal, or are lost to it): the command then ends with 7.
bool readingsMissedTheArchive();

class ArchiveKeeping {
public:
    ArchiveKeeping(GaugeSession& session, bool german, QTextStream& err);
    ~ArchiveKeeping();
    ArchiveKeeping(const ArchiveKeeping&) = delete;
    ArchiveKeeping& operator=(const ArchiveKeeping&) = delete;

private:
    ArchiveLocation where;
    std::unique_ptr<ArchiveRecorder> recorder;
    bool german;
    QTextStream& err;
    QString lastWhy;
};

} // namespace kivo::cli
