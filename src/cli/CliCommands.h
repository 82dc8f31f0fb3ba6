#pragma once
// The commands of kivo-cli that need no gauge: the model table, judging a
// measurement file, converting it. Each writes what it found to `out`,
// what went wrong to `err`, and returns the program's exit code.

#include "cli/CliArgs.h"
#include "table/MeasurementFile.h"

#include <QLocale>
#include <QTextStream>

namespace kivo::cli {

struct CliContext {
    bool german = false;
    QString programFolder; // where Konfi.ini names the model
};

// The serial ports that suit the model: one line each, path, kind and
// what the system knows of the device behind it.
ExitCode runPorts(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);
ExitCode runModels(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);
// The acceptance check of a measurement file, and its inspection report.
ExitCode runJudge(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);
ExitCode runReport(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);
ExitCode runConvert(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err);

// A measurement file's readings, what is odd about it said on `err`;
// nullopt, said, when it cannot be read or holds none.
std::optional<LoadedFile> loadFile(const QString& path, bool german, QTextStream& err);

// A number of the command line, with a decimal point or comma; nullopt for
// none or one past any reading.
std::optional<double> numberOption(const CliArgs& args, const QString& name);

// The numbers of the language: a comma or a point.
QLocale localeFor(bool german);

// The model code to work with: --model, else Konfi.ini's first line in the
// program folder; "" when neither names one.
QString chosenModel(const CliArgs& args, const CliContext& context);

} // namespace kivo::cli
