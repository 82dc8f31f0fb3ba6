#pragma once
// The commands of kivo-cli that talk to a gauge: downloading its memories
// and taking its readings online. Each runs the session's own procedures,
// as the window's buttons do, and returns the program's exit code.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"

#include <QTextStream>

namespace kivo::cli {

ExitCode runDownload(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);
ExitCode runOnline(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);

// `path` with "-N" before its ending: the file of memory N when both are
// downloaded ("day.mes" → "day-2.mes").
QString numberedPath(const QString& path, int memory);

} // namespace kivo::cli
