#include "cli/GaugeCommands.h"

#include "cli/CliSession.h"
#include "cli/Interrupt.h"
#include "session/TableOutput.h"
#include "shared/LocaleNumber.h"
#include "table/RecordDate.h"
#include "texts/Phrases.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <cmath>

namespace kivo::cli {

namespace {

// Watches a command to the gauge: Ctrl+C cancels the wait that runs, as
// Escape does; so does a gauge that sends nothing for `timeoutMs`.
class Watchdog {
public:
    Watchdog(GaugeSession& session, const TerminalView& view, qint64 timeoutMs)
    {
        QObject::connect(&tick, &QTimer::timeout, [&session, &view, timeoutMs, this] {
            DeviceLink& link = session.link();
            if (interrupted()) link.cancel();
            if (timeoutMs > 0 && view.waiting() && qMin(view.waitedMs(), link.quietMs()) > timeoutMs) {
                expired = true;
                link.cancel();
            }
        });
        tick.start(20);
    }
    bool timedOut() const { return expired; }

private:
    QTimer tick;
    bool expired = false;
};

// A number option, or `fallback` where it is not given; nullopt (said on
// `err`) when it is no number above 0.
std::optional<double> positiveOption(const CliArgs& args, const QString& name, double fallback, bool german,
                                     QTextStream& err)
{
    if (!args.options.contains(name)) return fallback;
    const std::optional<double> v = parseLocaleNumber(args.options.value(name).trimmed());
    if (v && std::isfinite(*v) && *v > 0 && *v <= 1e7) return *v;
    err << phrase(Phrase::CliPositive, german).arg(name) << Qt::endl;
    return std::nullopt;
}

// The port opened and the gauge asked who it is; Done or the exit code of
// what went wrong, said on `err`.
ExitCode reach(CliSession& cli, const QString& port, const Watchdog& watchdog, bool german, QTextStream& err)
{
    GaugeSession& session = cli.session;
    session.link().setPortnr(port);
    session.link().prepareConnect();
    const GaugeSession::Reach reached = session.reachGauge();
    if (interrupted()) {
        err << phrase(Phrase::CliCancelled, german) << Qt::endl;
        return ExitCode::Interrupted;
    }
    if (reached == GaugeSession::Reach::Answered) return ExitCode::Done;
    if (reached == GaugeSession::Reach::NotOpen && !cli.view.noPresence() && !watchdog.timedOut()) {
        const QString why = cli.view.unavailableReason();
        err << phrase(Phrase::CliPortNotOpened, german).arg(port)
            << (why.isEmpty() ? QString() : QStringLiteral(": ") + why) << Qt::endl;
        return ExitCode::PortUnavailable;
    }
    err << phrase(Phrase::CliNoAnswerAt, german).arg(port) << Qt::endl;
    return ExitCode::NoAnswer;
}

} // namespace

QString numberedPath(const QString& path, int memory)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QString name = info.fileName().left(info.fileName().size() - suffix.size()) + u'-' + QString::number(memory)
                         + suffix;
    return info.path() == u"." && !path.startsWith(QStringLiteral("./")) ? name : QDir(info.path()).filePath(name);
}

ExitCode runDownload(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    if (args.operands.size() != 1) {
        err << phrase(Phrase::CliDownloadOnePort, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString port = args.operands.first();
    const QString memory = args.options.value(QStringLiteral("memory"), QStringLiteral("all"));
    if (memory != u"1" && memory != u"2" && memory != u"all") {
        err << phrase(Phrase::CliMemory, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString outPath = args.options.value(QStringLiteral("out"));
    std::optional<TableFormat> format = TableFormat::Mes;
    if (args.options.contains(QStringLiteral("format"))) format = formatNamed(args.options.value(QStringLiteral("format")));
    else if (!outPath.isEmpty()) format = formatOfPath(outPath);
    if (!format) {
        err << phrase(Phrase::CliFormat, de) << Qt::endl;
        return ExitCode::Usage;
    }
    if (outPath.isEmpty() && (*format == TableFormat::Xlsx || *format == TableFormat::Odt)) {
        err << phrase(Phrase::CliFormatNeedsOut, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const std::optional<double> timeout = positiveOption(args, QStringLiteral("timeout"), 30, de, err);
    if (!timeout) return ExitCode::Usage;

    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    GaugeSession& session = cli.session;
    DeviceLink& link = session.link();
    const Watchdog watchdog(session, cli.view, qint64(*timeout * 1000));
    if (const ExitCode reached = reach(cli, port, watchdog, de, err); reached != ExitCode::Done) return reached;

    link.refineLayout();
    const QString layout = link.profile().speicherlayout.trimmed();
    if (layout.startsWith(u'X')) {
        err << phrase(Phrase::CliNoMemory, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const bool two = layout.startsWith(u'2');
    if (memory == u"2" && !two) {
        err << phrase(Phrase::CliOneMemoryOnly, de) << Qt::endl;
        return ExitCode::Usage;
    }
    std::vector<int> kinds;
    if (memory != u"2") kinds.push_back(kFE);
    if (two && memory != u"1") kinds.push_back(kNFE);

    ExitCode code = ExitCode::Done;
    for (const int kind : kinds) {
        session.showTable(kind);
        const QString name = session.memoryName(kind).trimmed();
        const int announced = session.announcedCount(kind);
        if (announced == 0) {
            err << phrase(Phrase::CliMemoryEmpty, de).arg(name) << Qt::endl;
            continue;
        }
        cli.view.expect(qMin(announced, kMaxReadings));
        const GaugeSession::MemoryDownload download = session.downloadMemory();
        cli.view.endProgressLine();
        if (interrupted()) {
            err << phrase(Phrase::CliCancelled, de) << Qt::endl;
            return ExitCode::Interrupted;
        }
        if (!download.opened) {
            err << phrase(Phrase::CliPortNotOpened, de).arg(port) << Qt::endl;
            return ExitCode::PortUnavailable;
        }
        if (!download.complete || !link.CheckConnect()) {
            const bool silent = watchdog.timedOut() && !download.anyByte;
            err << phrase(silent ? Phrase::CliMemorySilent : Phrase::CliTransferBroke, de).arg(name) << Qt::endl;
            return silent ? ExitCode::NoAnswer : ExitCode::Incomplete;
        }
        if (const std::optional<QString> missing = missingReadingsText(download, de)) {
            err << name << u": " << *missing << Qt::endl;
            code = ExitCode::Incomplete; // what came is written all the same
        }
        const int taken = session.tables().count(kind);
        if (outPath.isEmpty()) {
            out << QString::fromUtf8(shownTableText(session, *format)) << Qt::flush;
            continue;
        }
        const QString target = kinds.size() > 1 ? numberedPath(outPath, kind == kFE ? 1 : 2) : outPath;
        if (const QString failure = writeShownTable(session, target, *format); !failure.isEmpty()) {
            err << failure << Qt::endl;
            return ExitCode::FileTrouble;
        }
        err << phrase(Phrase::CliReadingsWritten, de).arg(name).arg(taken).arg(QDir::toNativeSeparators(target))
            << Qt::endl;
    }
    link.closePort();
    return code;
}

ExitCode runOnline(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    if (args.operands.size() != 1) {
        err << phrase(Phrase::CliOnlineOnePort, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString port = args.operands.first();
    const QString outPath = args.options.value(QStringLiteral("out"));
    const std::optional<TableFormat> format = outPath.isEmpty() ? TableFormat::Mes : formatOfPath(outPath);
    if (!format) {
        err << phrase(Phrase::CliOnlineEnding, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const std::optional<double> count = positiveOption(args, QStringLiteral("count"), kMaxReadings, de, err);
    const std::optional<double> seconds = positiveOption(args, QStringLiteral("seconds"), 0, de, err);
    const std::optional<double> timeout = positiveOption(args, QStringLiteral("timeout"), 30, de, err);
    if (!count || !seconds || !timeout) return ExitCode::Usage;
    const int wanted = int(qMin<double>(std::floor(*count), kMaxReadings));
    if (wanted < 1) {
        err << phrase(Phrase::CliCount, de) << Qt::endl;
        return ExitCode::Usage;
    }

    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    GaugeSession& session = cli.session;
    DeviceLink& link = session.link();
    {
        const Watchdog watchdog(session, cli.view, qint64(*timeout * 1000));
        if (const ExitCode reached = reach(cli, port, watchdog, de, err); reached != ExitCode::Done) return reached;
    }

    MeasurementTables& tables = session.tables();
    session.showTable(kOnline);
    tables.ClearRecords(kOnline);
    tables.ResetStatistics();
    tables.setOnlineZaehler(1);
    session.onlineBegins();
    int taken = 0;
    out << csvHeading(de) << QStringLiteral("\r\n") << Qt::flush;
    QObject::connect(&session, &GaugeSession::readingTaken, [&](int kind, int slot) {
        if (kind != kOnline || ++taken > wanted) return;
        const Record& r = tables.record(kind, slot);
        const QString date = leadingDate(r.datum);
        out << csvRow({date.isEmpty() ? session.tableDate(kind) : date, r.zeit, r.nr, r.wert, r.einheit, r.material}, de)
            << QStringLiteral("\r\n") << Qt::flush;
    });
    // The readings so far are in the file after each batch that came, as
    // the window keeps Online.mes: a crash loses none that were shown.
    const bool savedAsTheyCome = !outPath.isEmpty() && (*format == TableFormat::Mes || *format == TableFormat::Csv);
    QString saveFailure;
    cli.view.onOnlineLines = [&] {
        if (savedAsTheyCome && saveFailure.isEmpty() && taken <= wanted)
            saveFailure = writeShownTable(session, outPath, *format);
    };
    if (!link.startOnline()) {
        err << phrase(Phrase::CliNoAnswerAt, de).arg(port) << Qt::endl;
        return ExitCode::NoAnswer;
    }

    QElapsedTimer clock;
    clock.start();
    QElapsedTimer quiet;
    quiet.start();
    int seen = 0;
    bool silent = false;
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (taken != seen) {
            seen = taken;
            quiet.restart();
        }
        // Before the first reading the gauge has --timeout to send one;
        // later pauses are the operator's, unless --timeout is given.
        const bool limited = taken == 0 || args.options.contains(QStringLiteral("timeout"));
        silent = limited && quiet.elapsed() > qint64(*timeout * 1000);
        if (interrupted() || taken >= wanted || silent || !link.CheckConnect() || !saveFailure.isEmpty()
            || (*seconds > 0 && clock.elapsed() >= qint64(*seconds * 1000)))
            loop.quit();
    });
    tick.start(20);
    loop.exec();
    const bool lost = !link.CheckConnect();
    link.closePort();

    // A batch may bring more than were wanted: the table keeps the first.
    if (tables.count(kOnline) > wanted) {
        for (int slot = tables.count(kOnline); slot > wanted; --slot) tables.setRecord(kOnline, slot, Record{});
        session.recount();
    }
    if (!outPath.isEmpty() && saveFailure.isEmpty() && tables.count(kOnline) > 0)
        saveFailure = writeShownTable(session, outPath, *format);
    if (!saveFailure.isEmpty()) {
        err << saveFailure << Qt::endl;
        return ExitCode::FileTrouble;
    }
    if (lost) {
        err << phrase(Phrase::CliLinkLost, de) << Qt::endl;
        return ExitCode::Incomplete;
    }
    if (silent && taken == 0) {
        err << phrase(Phrase::CliNoReadingSent, de) << Qt::endl;
        return ExitCode::NoAnswer;
    }
    return ExitCode::Done;
}

} // namespace kivo::cli
