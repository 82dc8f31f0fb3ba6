#include "cli/ArchiveCommands.h"

#include "cli/CliSession.h"
#include "session/ArchiveListing.h"
#include "session/ArchivedTable.h"
#include "session/ArchiveExport.h"
#include "texts/Phrases.h"

#include <QFileInfo>
#include <limits>

namespace kivo::cli {

namespace {

bool missed = false;

// The inspection an operand names: a whole number above 0.
std::optional<qint64> inspectionId(const QString& operand, bool german, QTextStream& err)
{
    bool ok = false;
    const qint64 id = operand.toLongLong(&ok);
    if (ok && id > 0) return id;
    err << phrase(Phrase::CliArchiveBadId, german).arg(operand) << Qt::endl;
    return std::nullopt;
}

std::optional<QDate> dateOption(const CliArgs& args, const QString& name, bool german, QTextStream& err)
{
    if (!args.options.contains(name)) return QDate();
    const QDate date = QDate::fromString(args.options.value(name), Qt::ISODate);
    if (date.isValid()) return date;
    err << phrase(Phrase::CliArchiveDate, german) << Qt::endl;
    return std::nullopt;
}

ExitCode list(Archive& archive, const CliArgs& args, bool de, QTextStream& out, QTextStream& err)
{
    const std::optional<QDate> from = dateOption(args, QStringLiteral("from"), de, err);
    const std::optional<QDate> to = dateOption(args, QStringLiteral("to"), de, err);
    if (!from || !to || args.operands.size() != 1) {
        if (args.operands.size() != 1) err << phrase(Phrase::CliArchiveUsage, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const auto found = archive.list(args.options.value(QStringLiteral("search")), *from, *to,
                                    std::numeric_limits<int>::max());
    if (!archive.error().isEmpty()) {
        err << archive.error() << Qt::endl;
        return ExitCode::ArchiveTrouble;
    }
    for (const InspectionSummary& s : found) out << listLine(s, de) << '\n';
    out.flush();
    return ExitCode::Done;
}

// The inspection of operand 2, said on `err` when there is none.
std::optional<Inspection> loadNamed(Archive& archive, const CliArgs& args, bool de, QTextStream& err, ExitCode* code)
{
    *code = ExitCode::Usage;
    if (args.operands.size() != 2) {
        err << phrase(Phrase::CliArchiveUsage, de) << Qt::endl;
        return std::nullopt;
    }
    const std::optional<qint64> id = inspectionId(args.operands[1], de, err);
    if (!id) return std::nullopt;
    std::optional<Inspection> in = archive.load(*id);
    if (!in) {
        if (archive.error().isEmpty()) {
            err << phrase(Phrase::CliArchiveNoInspection, de).arg(*id) << Qt::endl;
        } else {
            err << archive.error() << Qt::endl;
            *code = ExitCode::ArchiveTrouble;
        }
    }
    return in;
}

ExitCode importFiles(Archive& archive, CliSession& cli, const CliArgs& args, bool de, QTextStream& out, QTextStream& err)
{
    if (args.operands.size() < 2) {
        err << phrase(Phrase::CliArchiveUsage, de) << Qt::endl;
        return ExitCode::Usage;
    }
    GaugeSession& session = cli.session;
    session.showTable(kFE);
    ExitCode code = ExitCode::Done;
    for (const QString& path : args.operands.mid(1)) {
        const std::optional<LoadedFile> file = loadFile(path, de, err);
        if (!file) {
            code = ExitCode::FileTrouble;
            continue;
        }
        const QString name = QFileInfo(path).fileName();
        session.takeFile(*file, name);
        const Inspection in = fileInspectionOf(session, kFE, name);
        if (const std::optional<qint64> id = archive.idOf(in.uuid)) {
            out << phrase(Phrase::CliArchiveKeptBefore, de).arg(*id).arg(path) << Qt::endl;
        } else if (const std::optional<qint64> kept = archive.keep(in)) {
            out << phrase(Phrase::CliArchiveImported, de).arg(*kept).arg(path).arg(in.readings.size()) << Qt::endl;
        } else {
            err << archive.error() << Qt::endl;
            return ExitCode::ArchiveTrouble;
        }
        if (file->rowsRead > kMaxReadings && code == ExitCode::Done) code = ExitCode::Incomplete;
    }
    return code;
}

} // namespace

ExitCode runArchive(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    const QString verb = args.operands.value(0);
    if (verb != u"list" && verb != u"show" && verb != u"export" && verb != u"import") {
        err << phrase(Phrase::CliArchiveUsage, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString target = args.options.value(QStringLiteral("out"));
    std::optional<TableFormat> format;
    if (verb == u"export") {
        format = formatOfPath(target);
        if (!format) {
            err << phrase(Phrase::CliOnlineEnding, de) << Qt::endl;
            return ExitCode::Usage;
        }
    }
    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    const ArchiveLocation where = sessionArchive(cli.session);
    const std::unique_ptr<Archive> archive = openArchive(where);
    if (!archive || !archive->isOpen()) {
        err << phrase(Phrase::CliArchiveUnreachable, de).arg(archiveShown(where), whyUnreachable(where, archive.get()))
            << Qt::endl;
        return ExitCode::ArchiveTrouble;
    }
    // What waits for this archive from an earlier download is added first,
    // so the archive is read whole.
    { const ArchiveKeeping sending(cli.session, de, err); }
    if (verb == u"list") return list(*archive, args, de, out, err);
    if (verb == u"import") return importFiles(*archive, cli, args, de, out, err);
    ExitCode code = ExitCode::Done;
    const std::optional<Inspection> in = loadNamed(*archive, args, de, err, &code);
    if (!in) return code;
    if (verb == u"show") {
        for (const QString& line : showLines(*in, de, localeFor(de))) out << line << '\n';
        out.flush();
        return ExitCode::Done;
    }
    if (const QString failure = writeInspection(*in, cli.session, target, *format); !failure.isEmpty()) {
        err << failure << Qt::endl;
        return ExitCode::FileTrouble;
    }
    return ExitCode::Done;
}

std::optional<Inspection> loadArchived(GaugeSession& session, const QString& idText, bool de, QTextStream& err,
                                      ExitCode* code)
{
    *code = ExitCode::Usage;
    const std::optional<qint64> id = inspectionId(idText, de, err);
    if (!id) return std::nullopt;
    const ArchiveLocation where = sessionArchive(session);
    const std::unique_ptr<Archive> archive = openArchive(where);
    if (!archive || !archive->isOpen()) {
        err << phrase(Phrase::CliArchiveUnreachable, de).arg(archiveShown(where), whyUnreachable(where, archive.get()))
            << Qt::endl;
        *code = ExitCode::ArchiveTrouble;
        return std::nullopt;
    }
    std::optional<Inspection> in = archive->load(*id);
    if (!in) {
        *code = archive->error().isEmpty() ? ExitCode::Usage : ExitCode::ArchiveTrouble;
        err << (archive->error().isEmpty() ? phrase(Phrase::CliArchiveNoInspection, de).arg(*id) : archive->error())
            << Qt::endl;
    }
    return in;
}

bool readingsMissedTheArchive() { return missed; }

ArchiveKeeping::ArchiveKeeping(GaugeSession& session, bool german_, QTextStream& err_)
    : where(sessionArchive(session)), german(german_), err(err_)
{
    const ArchiveLocation at = where;
    recorder = std::make_unique<ArchiveRecorder>(session, [at] { return openArchive(at); }, sessionJournal(session));
    QObject::connect(recorder.get(), &ArchiveRecorder::unreachable, recorder.get(), [this](const QString& why) {
        lastWhy = shortReason(why);
        err << unreachableText(where, why, german) << Qt::endl;
    });
}

ArchiveKeeping::~ArchiveKeeping()
{
    if (recorder->flush()) return;
    missed = true;
    err << phrase(recorder->waitingInJournal() ? Phrase::CliArchiveWaits : Phrase::CliArchiveNotKept, german)
               .arg(archiveShown(where), lastWhy)
        << Qt::endl;
}

} // namespace kivo::cli
