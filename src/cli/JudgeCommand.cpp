// kivo-cli judge and report: the acceptance check of a measurement file,
// and the inspection report of a file or an archived inspection.

#include "cli/ArchiveCommands.h"
#include "cli/CliCommands.h"
#include "cli/CliSession.h"

#include "evaluation/Judgement.h"
#include "ui/ReportPdf.h"
#include "session/ArchiveExport.h"
#include "session/ModelTable.h"
#include "session/ReportOfTable.h"
#include "shared/LocaleNumber.h"
#include "table/LoadMeasurementFile.h"
#include "table/MeasurementTables.h"
#include "texts/Phrases.h"

#include <QDateTime>
#include <QFileInfo>

namespace kivo::cli {

namespace {

bool has(const CliArgs& args, const char* name) { return args.options.contains(QLatin1String(name)); }

// A whole number option within [least, most]; `fallback` when not given.
std::optional<int> wholeOption(const CliArgs& args, const char* name, int fallback, int least, int most)
{
    if (!has(args, name)) return fallback;
    bool ok = false;
    const int v = args.options.value(QLatin1String(name)).trimmed().toInt(&ok);
    return ok && v >= least && v <= most ? std::optional<int>(v) : std::nullopt;
}

// The check --rule and its figures name; nullopt, said on `err`, when they
// name none.
std::optional<Judgement> judgementOf(const CliArgs& args, bool de, QTextStream& err)
{
    const std::optional<JudgeRule> rule = ruleOfWord(args.options.value(QStringLiteral("rule")));
    if (!rule) {
        err << phrase(Phrase::CliRule, de) << Qt::endl;
        return std::nullopt;
    }
    Judgement j;
    j.rule = *rule;
    const auto notNegative = [&](const char* name, double* into) {
        if (!has(args, name)) return true;
        const std::optional<double> v = numberOption(args, QLatin1String(name));
        if (!v || *v < 0) {
            err << phrase(Phrase::CliNotNegative, de).arg(QLatin1String(name)) << Qt::endl;
            return false;
        }
        *into = *v;
        return true;
    };
    if (!notNegative("correction", &j.correction)) return std::nullopt;
    if (has(args, "roughness")) {
        j.grade = gradeNamed(args.options.value(QStringLiteral("roughness")).trimmed());
        if (!j.grade || j.rule != JudgeRule::Iso19840 || has(args, "correction")) {
            err << phrase(Phrase::CliRoughness, de) << Qt::endl;
            return std::nullopt;
        }
        j.correction = gradeCorrection(*j.grade);
    }
    // What the other rules take is said, not silently passed over.
    const QStringList others = j.rule == JudgeRule::SspcPa2
                                   ? QStringList{QStringLiteral("nominal")}
                                   : QStringList{QStringLiteral("min"), QStringLiteral("spot"), QStringLiteral("low"), QStringLiteral("high")};
    for (const QString& name : others)
        if (args.options.contains(name))
            err << phrase(Phrase::CliOptionIgnored, de).arg(name, ruleWord(j.rule)) << Qt::endl;
    if (j.rule == JudgeRule::SspcPa2) {
        const std::optional<double> min = numberOption(args, QStringLiteral("min"));
        const std::optional<double> max = numberOption(args, QStringLiteral("max"));
        const std::optional<int> spot = wholeOption(args, "spot", 3, 1, 100);
        const std::optional<int> low = wholeOption(args, "low", 80, 1, 100);
        const std::optional<int> high = wholeOption(args, "high", 120, 100, 1000);
        // The option at fault is named, with what it takes.
        for (const auto& [name, value, least, most] : {std::tuple{"spot", spot, 1, 100}, std::tuple{"low", low, 1, 100},
                                                       std::tuple{"high", high, 100, 1000}})
            if (!value) {
                err << phrase(Phrase::CliWholeOption, de).arg(QLatin1String(name)).arg(least).arg(most) << Qt::endl;
                return std::nullopt;
            }
        if (!min || !max) {
            err << phrase(Phrase::CliSspcFigures, de) << Qt::endl;
            return std::nullopt;
        }
        j.nominal = *min;
        j.maximum = *max;
        j.spotSize = *spot;
        j.lowPercent = *low;
        j.highPercent = *high;
    } else {
        const std::optional<double> nominal = numberOption(args, QStringLiteral("nominal"));
        if (!nominal || *nominal <= 0) {
            err << phrase(Phrase::CliNominal, de) << Qt::endl;
            return std::nullopt;
        }
        j.nominal = *nominal;
        double maximum = 0;
        if (!notNegative("max", &maximum)) return std::nullopt;
        if (j.rule == JudgeRule::Iso19840)
            j.maximum = has(args, "max") ? std::optional<double>(maximum)
                                         : numberInRange(3 * j.nominal); // as the window proposes
        else if (has(args, "max"))
            err << phrase(Phrase::CliMaxIgnored, de) << Qt::endl;
    }
    if (const QString why = whyNotJudgement(j, de); !why.isEmpty()) {
        err << why << Qt::endl;
        return std::nullopt;
    }
    return j;
}

} // namespace

ExitCode runJudge(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    if (args.operands.size() != 1) {
        err << phrase(Phrase::CliJudgeOneFile, de) << Qt::endl;
        return ExitCode::Usage;
    }
    const std::optional<Judgement> judgement = judgementOf(args, de, err);
    if (!judgement) return ExitCode::Usage;

    const QString path = args.operands.first();
    const QString model = chosenModel(args, context);
    const std::optional<LoadedFile> file = loadFile(path, de, err);
    if (!file) return ExitCode::FileTrouble;

    // As the statistics count them: signed only for a model with signed
    // statistics and --signed (the window's "+/-" off).
    const bool signedModel = signedStatistics(model);
    const bool absolut = !args.options.contains(QStringLiteral("signed"));
    if (!absolut && !signedModel)
        err << phrase(Phrase::CliSignedIgnored, de).arg(model.isEmpty() ? QStringLiteral("?") : model) << Qt::endl;
    JudgedTable table;
    table.name = QFileInfo(path).fileName();
    for (const LoadedReading& r : file->readings) table.add(r.wert, r.einheit, signedModel, absolut);
    if (const std::optional<QString> why = whyNotJudged(table.units, de)) {
        err << *why << Qt::endl;
        return ExitCode::Usage;
    }
    if (const QString why = whyNotJudgedBy(*judgement, int(table.values.size()), de); !why.isEmpty()) {
        err << why << Qt::endl;
        return ExitCode::Usage;
    }
    const QLocale locale = localeFor(de);
    const Verdict verdict = judge(table.values, *judgement, de, [&](double v) { return formatFixed(v, 1, locale); });
    out << judgedLine(table, de) << Qt::endl;
    for (const QString& line : verdict.lines) out << line << Qt::endl;
    out << verdictLine(judgement->rule, verdict.met, de) << Qt::endl;
    // A verdict over the first readings of a longer file is no verdict on it.
    if (file->rowsRead > kMaxReadings) return ExitCode::Incomplete;
    return verdict.met ? ExitCode::Done : ExitCode::NotMet;
}

ExitCode runReport(const CliArgs& args, const CliContext& context, QTextStream& out, QTextStream& err)
{
    const bool de = context.german;
    const QString target = args.options.value(QStringLiteral("out"));
    const bool archived = has(args, "archive");
    if (target.isEmpty() || args.operands.size() != (archived ? 0 : 1)) {
        err << phrase(Phrase::CliReportUsage, de) << Qt::endl;
        return ExitCode::Usage;
    }
    if (!target.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        err << phrase(Phrase::CliReportEnding, de) << Qt::endl;
        return ExitCode::Usage;
    }
    std::optional<Judgement> judgement;
    if (has(args, "rule")) {
        judgement = judgementOf(args, de, err);
        if (!judgement) return ExitCode::Usage;
    }
    CliSession cli(err, de);
    if (!cli.prepare(args, context)) return ExitCode::Usage;
    GaugeSession& session = cli.session;
    const QDateTime now = QDateTime::currentDateTime();
    ReportSource source;
    bool incomplete = false;
    if (archived) {
        ExitCode code = ExitCode::Done;
        const std::optional<Inspection> in = loadArchived(session, args.options.value(QStringLiteral("archive")), de, err, &code);
        if (!in) return code;
        source = customerReportSource(*in, session, now);
    } else {
        const std::optional<LoadedFile> file = loadFile(args.operands.first(), de, err);
        if (!file) return ExitCode::FileTrouble;
        incomplete = file->rowsRead > kMaxReadings;
        session.showTable(kFE);
        session.takeFile(*file, args.operands.first());
        source = reportSourceOf(session, now);
    }
    if (judgement) source.judgement = judgement;
    if (const QString why = whyNoReport(source); !why.isEmpty()) {
        err << why << Qt::endl;
        return ExitCode::Usage;
    }
    const CustomerReport report = buildCustomerReport(source);
    if (const QString failure = writeReportPdf(report, target); !failure.isEmpty()) {
        err << phrase(Phrase::ReportNotWritten, de).arg(target, failure) << Qt::endl;
        return ExitCode::FileTrouble;
    }
    out << phrase(Phrase::ReportWritten, de).arg(target) << Qt::endl;
    return incomplete ? ExitCode::Incomplete : ExitCode::Done;
}

} // namespace kivo::cli
