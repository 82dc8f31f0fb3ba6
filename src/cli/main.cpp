// kivo-cli: the program's work without a window, for labs, scripts and a
// gauge station without a screen.

#include "cli/ArchiveCommands.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/GaugeCommands.h"
#include "cli/Interrupt.h"
#include "session/ProgramState.h"
#include "texts/Phrases.h"

#include "ui/ReportPdf.h"

#include <QCoreApplication>
#include <memory>
#include <QLocale>
#include <QTextStream>
#include <cstdio>

using namespace kivo::cli;

namespace {

const char* const kUsage =
    "Usage: kivo-cli COMMAND [OPTIONS]\n"
    "\n"
    "kivo-cli downloads a coating-thickness or magnetic gauge's memories, takes its\n"
    "readings online, converts and judges measurement files: the work of the\n"
    "Kivo RIDIVORI window, for labs, scripts and a gauge station without a screen.\n"
    "\n"
    "Commands:\n"
    "  ports                               the serial ports that suit the model\n"
    "                                      (path, bluetooth|usb|serial, the device behind it)\n"
    "  models [--tab]                      the gauge models and what each has (--tab: the\n"
    "                                      fields between tabs, for scripts)\n"
    "  download PORT [--memory 1|2|all] [--out FILE] [--format mes|csv|xlsx|odt] [--timeout S]\n"
    "                                      the gauge's memories; without --out the\n"
    "                                      measurement file (or CSV) goes to standard output;\n"
    "                                      both memories of a two-memory gauge go to\n"
    "                                      FILE-1 and FILE-2\n"
    "  online PORT [--count N] [--seconds S] [--out FILE] [--timeout S]\n"
    "                                      one CSV line per reading on standard output as it\n"
    "                                      arrives, until N readings, S seconds or Ctrl+C;\n"
    "                                      --out keeps them as .mes, .csv, .xlsx or .odt\n"
    "  convert FILE.mes --out FILE.csv|FILE.xlsx|FILE.odt\n"
    "                                      a measurement file as CSV, workbook or document\n"
    "  archive list [--search TEXT] [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                                      the archived inspections, newest first, one a\n"
    "                                      line: ID, date, gauge, memory, count, unit and\n"
    "                                      the six project fields, between tabs\n"
    "  archive show ID                     one inspection whole: project data, limits and\n"
    "                                      every reading\n"
    "  archive export ID --out FILE.mes|FILE.csv|FILE.xlsx|FILE.odt\n"
    "                                      an inspection written as the window writes a table\n"
    "  archive import FILE.mes...          measurement files into the archive (a file kept\n"
    "                                      before is not kept twice)\n"
    "  judge FILE --rule iso19840|imo-pspc --nominal N [--max M] [--correction C] [--signed]\n"
    "                                      the acceptance check of a measurement file;\n"
    "                                      iso19840: --max defaults to 3 x N, as the window\n"
    "                                      proposes; --signed: the RK models' readings keep\n"
    "                                      their sign (the window's \"+/-\" off)\n"
    "  judge FILE --rule iso19840 --nominal N [--max M] --roughness fine|medium|coarse\n"
    "                                      ISO 19840 less the correction of the profile grade\n"
    "                                      (10, 25 or 40 um) instead of a measured --correction\n"
    "  judge FILE --rule sspc-pa2 --min A --max B [--spot N] [--low 80] [--high 120] [--correction C]\n"
    "                                      SSPC-PA 2: spots of N readings (default 3), each\n"
    "                                      within low % of A and high % of B, areas of five\n"
    "                                      spots within A..B\n"
    "  report FILE.mes --out FILE.pdf [--rule ... as for judge]\n"
    "  report --archive ID --out FILE.pdf [--rule ...]\n"
    "                                      the inspection report as a PDF: head, project\n"
    "                                      data, statistics, the verdict of --rule (or of the\n"
    "                                      check kept with the archived inspection), charts\n"
    "                                      and every reading\n"
    "\n"
    "Options:\n"
    "  --model CODE    the gauge model (RKT, RKS, RKM, DOR, ZR, VX); else Konfi.ini\n"
    "                  beside the program names it\n"
    "  --lang de|en    the language of texts and numbers (default: en)\n"
    "  --timeout S     seconds the gauge may stay silent (default 30); online: before its\n"
    "                  first reading, and between readings once given\n"
    "  --help          this text\n"
    "  --version       the program's version\n"
    "\n"
    "The archive is the window's: KIVO_ARCHIVE, else the first line of Archiv.ini\n"
    "in the settings folder, else Archiv.sqlite in the data folder. download and\n"
    "online keep what they read in it, as the window does.\n"
    "\n"
    "Files are the files the window writes: a .mes from kivo-cli opens in the window\n"
    "and the other way round. The settings (limits, project data) are the window's.\n"
    "Progress goes to standard error when it is a terminal. Ctrl+C cancels a download\n"
    "(nothing is written) and ends an online session (the readings taken are kept).\n"
    "\n"
    "Exit codes:\n"
    "  0  done\n"
    "  1  a verdict \"not met\"\n"
    "  2  usage (or a table that cannot be judged)\n"
    "  3  the port cannot be opened\n"
    "  4  the gauge did not answer (within --timeout)\n"
    "  5  the transfer was incomplete or damaged: a dump that broke off writes\n"
    "     nothing; of a whole dump with damaged, refused or too many lines, the\n"
    "     readings taken are written; a file past 5000 readings was read in part\n"
    "  6  a file could not be read or written\n"
    "  7  the archive cannot be reached, read or written (download and online:\n"
    "     the files are written; the readings wait for the archive)\n"
    "  130  cancelled by Ctrl+C\n";

} // namespace

int main(int argc, char** argv)
{
    QStringList words;
    for (int i = 1; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    const std::optional<CliArgs> args =
        parseArgs(words, {QStringLiteral("rule"), QStringLiteral("nominal"), QStringLiteral("max"), QStringLiteral("min"),
                                            QStringLiteral("spot"), QStringLiteral("low"), QStringLiteral("high"),
                                            QStringLiteral("roughness"), QStringLiteral("archive"),
                                            QStringLiteral("correction"), QStringLiteral("out"), QStringLiteral("model"),
                                            QStringLiteral("lang"), QStringLiteral("memory"), QStringLiteral("format"),
                                            QStringLiteral("timeout"), QStringLiteral("count"), QStringLiteral("seconds"),
                                            QStringLiteral("search"), QStringLiteral("from"), QStringLiteral("to")},
                  {QStringLiteral("help"), QStringLiteral("signed"), QStringLiteral("version"), QStringLiteral("tab")}, &error);
    if (!args) {
        err << error << Qt::endl << kUsage;
        return int(ExitCode::Usage);
    }
    // The report draws text and charts with Qt Gui, which needs a platform,
    // but never a screen.
    std::unique_ptr<QCoreApplication> app;
    if (args->command == u"report") {
        app = kivo::drawingApplication(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QString lang = args->options.value(QStringLiteral("lang"), QStringLiteral("en"));
    if (lang != u"de" && lang != u"en") {
        err << "--lang de or en" << Qt::endl;
        return int(ExitCode::Usage);
    }
    const CliContext context{lang == u"de", QCoreApplication::applicationDirPath()};
    // Numbers in the reports and files as the language writes them.
    QLocale::setDefault(localeFor(context.german));
    catchInterrupt();
    ExitCode code = ExitCode::Usage;
    if (args->options.contains(QStringLiteral("version"))) {
        out << "kivo-cli " << kivo::kVersnr << Qt::endl;
        code = ExitCode::Done;
    } else if (args->options.contains(QStringLiteral("help"))) {
        out << kUsage;
        code = ExitCode::Done;
    } else if (args->command == u"ports")
        code = runPorts(*args, context, out, err);
    else if (args->command == u"models")
        code = runModels(*args, context, out, err);
    else if (args->command == u"judge")
        code = runJudge(*args, context, out, err);
    else if (args->command == u"report")
        code = runReport(*args, context, out, err);
    else if (args->command == u"download")
        code = runDownload(*args, context, out, err);
    else if (args->command == u"online")
        code = runOnline(*args, context, out, err);
    else if (args->command == u"convert")
        code = runConvert(*args, context, out, err);
    else if (args->command == u"archive")
        code = runArchive(*args, context, out, err);
    else
        err << (args->command.isEmpty() ? QStringLiteral("no command") : QStringLiteral("unknown command ") + args->command)
            << Qt::endl << kUsage;
    // The files are written, but the archive does not hold the readings.
    if (code == ExitCode::Done && readingsMissedTheArchive()) code = ExitCode::ArchiveTrouble;
    // A script must learn that what it reads from us is not all there.
    out.flush();
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        err << kivo::phrase(kivo::Phrase::CliStdoutFailed, context.german) << Qt::endl;
        if (code == ExitCode::Done || code == ExitCode::NotMet) code = ExitCode::FileTrouble;
    }
    return int(code);
}
