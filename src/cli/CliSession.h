#pragma once
// The session kivo-cli works on: the installation of the program folder
// (Konfi.ini, the settings and data folders the window uses), the model of
// --model or Konfi.ini, the language of --lang, the limits and project data
// as saved; its view writes to standard error.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/TerminalView.h"
#include "session/GaugeSession.h"

#include <QTextStream>

namespace kivo::cli {

class CliSession {
public:
    CliSession(QTextStream& err, bool german);
    // False, said on `err`, when no model is named.
    bool prepare(const CliArgs& args, const CliContext& context);

    TerminalView view;
    GaugeSession session;

private:
    QTextStream& err;
    bool german;
};

} // namespace kivo::cli
