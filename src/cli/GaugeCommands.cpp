#include "cli/GaugeCommands.h"

#include "cli/ArchiveCommands.h"
#include "cli/CliSession.h"
#include "cli/Interrupt.h"
#include "platform/PortWatcher.h"
#include "platform/SerialLink.h"
#include "session/ModelTable.h"
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
// `err`) when it is no number above 0 and at most `most`.
std::optional<double> positiveOption(const CliArgs& args, const QString& name, double fallback, double most, bool german,
                                     QTextStream& err)
{
    if (!args.options.contains(name)) return fallback;
    const std::optional<double> v = parseLocaleNumber(args.options.value(name).trimmed());
    if (v && std::isfinite(*v) && *v > 0 && *v <= most) return *v;
    err << phrase(Phrase::CliNumberRange, german).arg(name).arg(most) << Qt::endl;
    return std::nullopt;
}

// The port the command line names: one operand, not empty; a relative path
// that exists here is taken from here, so "gauge" in this folder is not
// looked for in /dev. nullopt (said on `err`) when the line names none.
std::optional<QString> portOperand(const CliArgs& args, Phrase onePort, bool german, QTextStream& err)
{
    if (args.operands.size() != 1) {
        err << phrase(onePort, german) << Qt::endl;
        return std::nullopt;
    }
    const QString port = args.operands.first();
    if (port.trimmed().isEmpty()) {
        err << phrase(Phrase::CliPortEmpty, german) << Qt::endl;
        return std::nullopt;
    }
    const QFileInfo here(port);
    return here.isRelative() && here.exists() ? here.absoluteFilePath() : port;
}

// The port opened and the gauge asked who it is; Done or the exit code of
// what went wrong, said on `err`. A gauge of another model than the one
// chosen is not read: its lines would be taken the wrong way.
ExitCode reach(CliSession& cli, const QString& port, const Watchdog& watchdog, bool german, QTextStream& err)
{
    GaugeSession& session = cli.session;
    const QString chosen = session.identity().geraet;
    session.link().setPortnr(port);
    session.link().prepareConnect();
    const int messagesBefore = cli.view.messagesShown();
    const GaugeSession::Reach reached = session.reachGauge();
    if (interrupted()) {
        err << phrase(Phrase::CliCancelled, german) << Qt::endl;
        return ExitCode::Interrupted;
    }
    if (reached == GaugeSession::Reach::NotOpen && !cli.view.noPresence() && !watchdog.timedOut()) {
        // The link has said why already, unless the port was simply not there.
        if (cli.view.messagesShown() == messagesBefore) {
            const QString why = cli.view.unavailableReason();
            err << phrase(Phrase::CliPortNotOpened, german).arg(port)
                << (why.isEmpty() ? QString() : QStringLiteral(": ") + why) << Qt::endl;
        }
        return ExitCode::PortUnavailable;
    }
    if (reached != GaugeSession::Reach::Answered) {
        err << phrase(Phrase::CliNoAnswerAt, german).arg(port) << Qt::endl;
        return ExitCode::NoAnswer;
    }
    const ModelRow* gauge = rowForGauge(session.link().geraet());
    const ModelRow* model = rowForGauge(chosen);
    if (gauge && model && gauge != model) {
        err << phrase(Phrase::CliWrongModel, german)
                   .arg(port, QString::fromUtf8(gauge->pgmname), QString::fromUtf8(model->pgmname),
                        QString::fromLatin1(gauge->code))
            << Qt::endl;
        return ExitCode::Usage;
    }
    return ExitCode::Done;
}

// The port's going away is noticed as the window notices it: the port list
// is watched, and the link told. A port the list does not name (a link to
// a pseudo-terminal) is watched by its path.
class PortGuard {
public:
    PortGuard(GaugeSession& session, const QString& port)
    {
        QObject::connect(&watcher, &PortWatcher::portChanged, [&session](int kind, const QString& name) {
            session.link().portChanged(kind, name);
        });
        watcher.start(250);
#ifndef Q_OS_WIN
        const QString path = port.startsWith(u'/') ? port : QStringLiteral("/dev/") + port;
        QObject::connect(&pathCheck, &QTimer::timeout, [&session, port, path] {
            if (!QFileInfo::exists(path)) session.link().portChanged(kPortUnplugged, port);
        });
        pathCheck.start(250);
#else
        Q_UNUSED(port);
#endif
    }

private:
    PortWatcher watcher;
    QTimer pathCheck;
};

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
    const std::optional<QString> port = portOperand(args, Phrase::CliDownloadOnePort, de, err);
    if (!port) return ExitCode::Usage;
    const QString memory = args.options.value(QStringLiteral("memory"), QStringLiteral("all"));
    if (memory != u"1" && memory != u"2" && memory != u"all") {
        err << phrase(Phrase::CliMemory, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString outPath = args.options.value(QStringLiteral("out"));
    if (args.options.contains(QStringLiteral("out")) && outPath.trimmed().isEmpty()) {
        err << phrase(Phrase::CliOutEmpty, de) << Qt::endl;
        return ExitCode::Usage;
    }
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
    const std::optional<double> timeout = positiveOption(args, QStringLiteral("timeout"), 30, 86400, de, err);
    if (!timeout) return ExitCode::Usage;

    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    GaugeSession& session = cli.session;
    const ArchiveKeeping keeping(session, de, err);
    DeviceLink& link = session.link();
    // One command from start to end: a cancel or a timeout ends all of it.
    const DeviceLink::Command command(link);
    const Watchdog watchdog(session, cli.view, qint64(*timeout * 1000));
    const PortGuard guard(session, *port);
    if (const ExitCode reached = reach(cli, *port, watchdog, de, err); reached != ExitCode::Done) return reached;

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
    // Two tables one after the other on standard output would read back as
    // one: each needs a file of its own.
    if (two && memory == u"all" && outPath.isEmpty()) {
        err << phrase(Phrase::CliTwoMemoriesNeedOut, de) << Qt::endl;
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
            err << phrase(Phrase::CliPortNotOpened, de).arg(*port) << Qt::endl;
            return ExitCode::PortUnavailable;
        }
        if (!download.complete || !link.CheckConnect()) {
            const bool silent = watchdog.timedOut() && !download.anyByte;
            err << phrase(silent ? Phrase::CliMemorySilent : Phrase::CliTransferBroke, de).arg(name) << Qt::endl;
            return silent ? ExitCode::NoAnswer : ExitCode::Incomplete;
        }
        // What came whole is written all the same; what is missing is said.
        if (const std::optional<QString> missing = missingReadingsText(download, de)) {
            err << name << QStringLiteral(": ") << *missing << Qt::endl;
            code = ExitCode::Incomplete;
        }
        if (download.exceeded) {
            err << phrase(Phrase::CliTooManyReadings, de).arg(name).arg(kMaxReadings).arg(qMax(download.announced, download.received))
                << Qt::endl;
            code = ExitCode::Incomplete;
        }
        if (download.refused > 0) {
            err << phrase(Phrase::CliReadingsRefused, de).arg(name).arg(download.refused) << Qt::endl;
            code = ExitCode::Incomplete;
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
        const QString shownTarget = QDir::toNativeSeparators(target);
        err << (taken == 1 ? phrase(Phrase::CliReadingWritten, de).arg(name, shownTarget)
                           : phrase(Phrase::CliReadingsWritten, de).arg(name).arg(taken).arg(shownTarget))
            << Qt::endl;
    }
    link.closePort();
    return code;
}

ExitCode runOnline(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    const std::optional<QString> port = portOperand(args, Phrase::CliOnlineOnePort, de, err);
    if (!port) return ExitCode::Usage;
    const QString outPath = args.options.value(QStringLiteral("out"));
    if (args.options.contains(QStringLiteral("out")) && outPath.trimmed().isEmpty()) {
        err << phrase(Phrase::CliOutEmpty, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const std::optional<TableFormat> format = outPath.isEmpty() ? TableFormat::Mes : formatOfPath(outPath);
    if (!format) {
        err << phrase(Phrase::CliOnlineEnding, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const std::optional<double> count = positiveOption(args, QStringLiteral("count"), kMaxReadings, kMaxReadings, de, err);
    const std::optional<double> seconds = positiveOption(args, QStringLiteral("seconds"), 0, 7 * 86400, de, err);
    const std::optional<double> timeout = positiveOption(args, QStringLiteral("timeout"), 30, 86400, de, err);
    if (!count || !seconds || !timeout) return ExitCode::Usage;
    const int wanted = int(std::floor(*count));
    if (wanted < 1) {
        err << phrase(Phrase::CliCount, de) << Qt::endl;
        return ExitCode::Usage;
    }

    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    GaugeSession& session = cli.session;
    const ArchiveKeeping keeping(session, de, err);
    DeviceLink& link = session.link();
    const DeviceLink::Command command(link);
    const PortGuard guard(session, *port);
    {
        const Watchdog watchdog(session, cli.view, qint64(*timeout * 1000));
        if (const ExitCode reached = reach(cli, *port, watchdog, de, err); reached != ExitCode::Done) return reached;
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
        err << phrase(Phrase::CliNoAnswerAt, de).arg(*port) << Qt::endl;
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
            || link.onlineStopped()
            || (*seconds > 0 && clock.elapsed() >= qint64(*seconds * 1000)))
            loop.quit();
    });
    tick.start(20);
    loop.exec();
    const bool lost = !link.CheckConnect();
    const bool held = link.onlineStopped();
    link.closePort();
    if (cli.view.damagedOnline() > 0) err << phrase(Phrase::CliDamagedOnline, de).arg(cli.view.damagedOnline()) << Qt::endl;

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
    if (held) {
        err << phrase(Phrase::CliOnlineHeld, de) << Qt::endl;
        return ExitCode::Incomplete;
    }
    if (silent && taken == 0) {
        err << phrase(Phrase::CliNoReadingSent, de) << Qt::endl;
        return ExitCode::NoAnswer;
    }
    // Asked for a number of readings, the gauge fell silent before them.
    if (silent && args.options.contains(QStringLiteral("count")) && taken < wanted) {
        err << phrase(Phrase::CliFewerReadings, de).arg(*timeout).arg(taken).arg(wanted) << Qt::endl;
        return ExitCode::NoAnswer;
    }
    return ExitCode::Done;
}

} // namespace kivo::cli
