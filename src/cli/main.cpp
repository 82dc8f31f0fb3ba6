// kivo-cli: the program's work without a window, for labs, scripts and a
// gauge station without a screen.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

using namespace kivo::cli;

namespace {

const char* const kUsage =
    "Usage: kivo-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  ports                               the serial ports that suit the model\n"
    "                                      (path, bluetooth|usb|serial, the device behind it)\n"
    "  models                              the gauge models and what each has\n"
    "  judge FILE --rule iso19840|imo-pspc --nominal N [--max M] [--correction C] [--signed]\n"
    "                                      the acceptance check of a measurement file\n"
    "  convert FILE.mes --out FILE.csv     a measurement file as CSV\n"
    "\n"
    "Options:\n"
    "  --model CODE    the gauge model (RKT, RKS, RKM, DOR, ZR, VX); else Konfi.ini\n"
    "                  beside the program names it\n"
    "  --lang de|en    the language of texts and numbers (default: en)\n"
    "  --help          this text\n"
    "\n"
    "Exit codes:\n"
    "  0  done            1  a verdict \"not met\"     2  usage (or a table that cannot be judged)\n"
    "  3  port cannot be opened    4  the gauge did not answer\n"
    "  5  the transfer was incomplete or damaged    6  a file could not be read or written\n";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    const std::optional<CliArgs> args =
        parseArgs(app.arguments().mid(1), {QStringLiteral("rule"), QStringLiteral("nominal"), QStringLiteral("max"),
                                            QStringLiteral("correction"), QStringLiteral("out"), QStringLiteral("model"),
                                            QStringLiteral("lang")},
                  {QStringLiteral("help"), QStringLiteral("signed")}, &error);
    if (!args) {
        err << error << Qt::endl << kUsage;
        return int(ExitCode::Usage);
    }
    if (args->options.contains(QStringLiteral("help"))) {
        out << kUsage;
        return int(ExitCode::Done);
    }
    const QString lang = args->options.value(QStringLiteral("lang"), QStringLiteral("en"));
    if (lang != u"de" && lang != u"en") {
        err << "--lang de or en" << Qt::endl;
        return int(ExitCode::Usage);
    }
    const CliContext context{lang == u"de", QCoreApplication::applicationDirPath()};
    ExitCode code = ExitCode::Usage;
    if (args->command == u"ports")
        code = runPorts(*args, context, out, err);
    else if (args->command == u"models")
        code = runModels(*args, context, out, err);
    else if (args->command == u"judge")
        code = runJudge(*args, context, out, err);
    else if (args->command == u"convert")
        code = runConvert(*args, context, out, err);
    else
        err << (args->command.isEmpty() ? QStringLiteral("no command") : QStringLiteral("unknown command ") + args->command)
            << Qt::endl << kUsage;
    return int(code);
}
