#pragma once
// The command line of kivo-cli as values: the command, its operands and its
// options. Pure, so every rule of the command line is tested without a run.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace kivo::cli {

// What the program tells its caller when it ends.
enum class ExitCode {
    Done = 0,           // the command did what it was asked
    NotMet = 1,         // a verdict "not met"
    Usage = 2,          // the command line is wrong
    PortUnavailable = 3,// the port cannot be opened
    NoAnswer = 4,       // the gauge did not answer in time
    Incomplete = 5,     // the transfer was incomplete or damaged
    FileTrouble = 6,    // a file could not be read or written
    ArchiveTrouble = 7, // the archive cannot be reached, read or written
    Interrupted = 130,  // Ctrl+C: the command was cancelled, nothing written
};

struct CliArgs {
    QString command;            // "models", "judge", ...
    QStringList operands;       // FILE, PORT
    QMap<QString, QString> options; // without "--"; a flag holds ""
};

// argv without the program's name. Options are "--name value" or
// "--name=value"; `flags` take no value; after "--" every word is an operand. nullopt with `error` set when the
// line cannot be read (an option without its value, an unknown option).
std::optional<CliArgs> parseArgs(const QStringList& args, const QStringList& valued, const QStringList& flags,
                                 QString* error);

} // namespace kivo::cli
