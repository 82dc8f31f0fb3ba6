#include "cli/CliCommands.h"

#include "cli/CliSession.h"
#include "session/TableOutput.h"

#include "device/PortList.h"
#include "output/CsvExport.h"
#include "platform/SerialPorts.h"
#include "session/InfoAndManual.h"
#include "session/ModelTable.h"
#include "settings/SettingsFiles.h"
#include "settings/TextFile.h"
#include "shared/LocaleNumber.h"
#include "table/LoadMeasurementFile.h"
#include "table/MeasurementTables.h"
#include "table/RecordDate.h"
#include "texts/Phrases.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <array>

namespace kivo::cli {

std::optional<double> numberOption(const CliArgs& args, const QString& name)
{
    const std::optional<double> v = parseLocaleNumber(args.options.value(name).trimmed());
    return v ? numberInRange(*v) : std::nullopt;
}

namespace {

// The measurement file's readings, or why not (told on `err`).
// The materials are kept as the file holds them, whatever the model. A
// file past the table's size is read as far as the table holds, and said.
// A column of the model table: padded, and never run into the next.
QString column(const QString& text, int width) { return text.leftJustified(width - 1, u' ') + u' '; }

} // namespace

QLocale localeFor(bool german) { return languageLocale(german); }

std::optional<LoadedFile> loadFile(const QString& path, bool german, QTextStream& err)
{
    FileError error;
    std::optional<LoadedFile> file = loadMeasurementFile(path, QStringLiteral("1"), kMaxReadings, &error);
    if (!file) {
        err << phrase(Phrase::FileNotRead, german).arg(path, fileErrorText(error, german)) << Qt::endl;
        return std::nullopt;
    }
    if (file->readings.empty()) {
        err << phrase(Phrase::CliNoReadingsIn, german).arg(path) << Qt::endl;
        return std::nullopt;
    }
    if (file->rowsRefused > 0)
        err << phrase(Phrase::CliRowsNotLoaded, german).arg(file->rowsRefused).arg(path) << Qt::endl;
    if (file->rowsRead > kMaxReadings)
        err << phrase(Phrase::CliTooManyReadings, german).arg(path).arg(kMaxReadings).arg(file->rowsRead) << Qt::endl;
    return file;
}


QString chosenModel(const CliArgs& args, const CliContext& context)
{
    if (args.options.contains(QStringLiteral("model"))) return args.options.value(QStringLiteral("model")).trimmed();
    const std::optional<QStringList> konfi =
        readTextLines(konfiPath(context.programFolder), nullptr, 64 * 1024);
    return konfi && !konfi->isEmpty() ? konfi->first().trimmed() : QString();
}

ExitCode runPorts(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    const QString model = chosenModel(args, context);
    const std::optional<ModelProfile> profile = profileFor(model);
    if (!profile) {
        err << phrase(Phrase::CliNoModel, de).arg(modelCodes().join(u'|')) << Qt::endl;
        return ExitCode::Usage;
    }
    for (const PortInfo& port : suitablePorts(availableSerialPorts(), profile->schnittstelle)) {
        const QString path = port.name.startsWith(u'/') || port.name.startsWith(QStringLiteral("COM"))
                                 ? port.name
                                 : QStringLiteral("/dev/") + port.name;
        const QString kind = port.type.startsWith(QStringLiteral("BTH"))   ? QStringLiteral("bluetooth")
                             : port.type.startsWith(QStringLiteral("VCP")) ? QStringLiteral("usb")
                                                                           : QStringLiteral("serial");
        // The description without the name it begins with.
        const QString description = portDescription(port, de).section(QStringLiteral(": "), 1);
        out << path << u'\t' << kind << u'\t' << description << Qt::endl;
    }
    return ExitCode::Done;
}

ExitCode runModels(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream&)
{
    const bool de = context.german;
    // --tab: one line a model, its fields between tabs, for scripts.
    const bool tab = args.options.contains(QStringLiteral("tab"));
    const QStringList heading = {QStringLiteral("CODE"),
                                 phrase(Phrase::ModelsName, de),
                                 phrase(Phrase::ModelsLink, de),
                                 phrase(Phrase::ModelsMemories, de),
                                 QStringLiteral("ONLINE"),
                                 phrase(Phrase::ModelsSign, de),
                                 phrase(Phrase::ModelsStatistics, de),
                                 phrase(Phrase::ModelsGaugeCodes, de),
                                 phrase(Phrase::ModelsSimulator, de),
                                 phrase(Phrase::ModelsManual, de)};
    const std::array<int, 9> widths = {6, 22, 11, 11, 8, 11, 16, 13, 10};
    const auto line = [&](const QStringList& fields) {
        if (tab) return fields.join(u'\t');
        QString text;
        for (qsizetype i = 0; i < fields.size(); ++i)
            text += i < qsizetype(widths.size()) ? column(fields[i], widths[size_t(i)]) : fields[i];
        return text;
    };
    out << line(heading) << Qt::endl;
    for (const ModelRow& row : modelRows()) {
        const ModelProfile& profile = row.profile;
        const QString layout = profile.speicherlayout;
        const QString memories = layout == u"X" ? phrase(Phrase::ModelsNoMemory, de)
                                 : layout == u"3" ? phrase(Phrase::ModelsNumbered, de)
                                                  : layout;
        out << line({QString::fromLatin1(row.code), QString::fromUtf8(row.pgmname),
                     profile.schnittstelle == u"B" ? QStringLiteral("Bluetooth") : phrase(Phrase::ModelsCable, de),
                     memories,
                     profile.onlineart == u"E" ? phrase(Phrase::ModelsRecord, de) : phrase(Phrase::ModelsLine, de),
                     profile.vorzeichen == u"-" ? phrase(Phrase::ModelsYes, de) : phrase(Phrase::ModelsNo, de),
                     row.signedStatistics ? phrase(Phrase::ModelsSigned, de) : phrase(Phrase::ModelsSizes, de),
                     QString::fromLatin1(row.gaugeCodes).remove(u'$').replace(u' ', u','), QString::fromLatin1(row.simulator),
                     manualPrefix(de) + QString::fromLatin1(row.manual)})
            << Qt::endl;
    }
    return ExitCode::Done;
}

ExitCode runConvert(const CliArgs& args, const CliContext& context, QTextStream&, QTextStream& err)
{
    const bool de = context.german;
    const QString target = args.options.value(QStringLiteral("out"));
    if (args.operands.size() != 1 || target.isEmpty()) {
        err << phrase(Phrase::CliConvertUsage, de) << Qt::endl;
        return ExitCode::Usage;
    }
    if (args.options.contains(QStringLiteral("format"))) {
        err << phrase(Phrase::CliConvertNoFormat, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const std::optional<TableFormat> format = formatOfPath(target);
    if (!format || *format == TableFormat::Mes) {
        err << phrase(Phrase::CliConvertEnding, de) << Qt::endl;
        return ExitCode::Usage;
    }
    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    GaugeSession& session = cli.session;
    const QString path = args.operands.first();
    const std::optional<LoadedFile> file = loadFile(path, de, err);
    if (!file) return ExitCode::FileTrouble;
    session.showTable(kFE);
    session.takeFile(*file);
    if (const QString failure = writeShownTable(session, target, *format); !failure.isEmpty()) {
        err << failure << Qt::endl;
        return ExitCode::FileTrouble;
    }
    return file->rowsRead > kMaxReadings ? ExitCode::Incomplete : ExitCode::Done;
}

} // namespace kivo::cli
