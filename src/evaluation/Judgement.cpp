#include "evaluation/Judgement.h"

#include "evaluation/SspcPa2.h"
#include "texts/Phrases.h"

#include <QLocale>
#include <cmath>

namespace kivo {

QString ruleTitle(JudgeRule rule)
{
    switch (rule) {
    case JudgeRule::Iso19840: return QStringLiteral("ISO 19840");
    case JudgeRule::ImoPspc: return QStringLiteral("IMO PSPC 90/10");
    case JudgeRule::SspcPa2: return QStringLiteral("SSPC-PA 2");
    }
    return {};
}

QString ruleWord(JudgeRule rule)
{
    switch (rule) {
    case JudgeRule::Iso19840: return QStringLiteral("iso19840");
    case JudgeRule::ImoPspc: return QStringLiteral("imo-pspc");
    case JudgeRule::SspcPa2: return QStringLiteral("sspc-pa2");
    }
    return {};
}

std::optional<JudgeRule> ruleOfWord(const QString& word)
{
    for (JudgeRule rule : {JudgeRule::Iso19840, JudgeRule::ImoPspc, JudgeRule::SspcPa2})
        if (word == ruleWord(rule)) return rule;
    return std::nullopt;
}

namespace {

SspcInput sspcInput(const Judgement& j)
{
    return {j.nominal, j.maximum.value_or(0), j.spotSize, j.lowPercent, j.highPercent, j.correction};
}

AcceptanceInput acceptanceInput(const Judgement& j)
{
    AcceptanceInput in;
    in.rule = j.rule == JudgeRule::ImoPspc ? AcceptanceRule::ImoPspc9010 : AcceptanceRule::Iso19840;
    in.nominal = j.nominal;
    if (j.rule == JudgeRule::Iso19840) in.maximum = j.maximum;
    in.correction = j.correction;
    return in;
}

bool finite(double v) { return std::isfinite(v) && std::abs(v) < 1e12; }

} // namespace

QString whyNotJudgement(const Judgement& j, bool german)
{
    if (!finite(j.correction) || j.correction < 0)
        return phrase(Phrase::CliNotNegative, german).arg(QStringLiteral("correction"));
    if (j.grade && j.correction != gradeCorrection(*j.grade)) return phrase(Phrase::CliRoughness, german);
    // A correction of the coat's own size leaves no thickness to judge: a slip of the finger.
    if (j.correction > 0 && j.correction >= j.nominal && j.nominal > 0) return phrase(Phrase::CorrectionTooLarge, german);
    if (j.rule == JudgeRule::SspcPa2) {
        if (!finite(j.nominal) || !j.maximum || !finite(*j.maximum) || j.spotSize > 100 || j.highPercent > 1000)
            return phrase(Phrase::CliSspcFigures, german);
        return whyNotSspc(sspcInput(j), german);
    }
    if (!finite(j.nominal) || j.nominal <= 0) return phrase(Phrase::CliNominal, german);
    if (j.maximum && (!finite(*j.maximum) || *j.maximum < 0)) return phrase(Phrase::CliNotNegative, german).arg(QStringLiteral("max"));
    return {};
}

QString whyNotJudgedBy(const Judgement& j, int readings, bool german)
{
    if (j.rule == JudgeRule::SspcPa2 && readings < j.spotSize)
        return phrase(Phrase::SspcNoSpot, german).arg(readings).arg(j.spotSize);
    return {};
}

Verdict judge(const std::vector<double>& readings, const Judgement& j, bool german,
              const std::function<QString(double)>& formatNumber)
{
    Verdict verdict;
    if (j.rule == JudgeRule::SspcPa2) {
        const SspcInput in = sspcInput(j);
        const SspcResult result = judgeSspcPa2(readings, in);
        verdict.met = result.met;
        verdict.lines = sspcLines(result, in, german, formatNumber);
    } else {
        const AcceptanceResult result = judgeAcceptance(readings, acceptanceInput(j));
        verdict.met = result.met;
        verdict.lines = criterionLines(result, german, formatNumber);
    }
    const QString correction = correctionLine(j.grade, j.correction, formatNumber(j.correction), german);
    if (!correction.isEmpty()) verdict.lines << correction;
    return verdict;
}

QString verdictLine(JudgeRule rule, bool met, bool german)
{
    return ruleTitle(rule) + QStringLiteral(": ") + verdictText(met, german);
}

namespace {

QString cNumber(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

QString gradeWord(ProfileGrade grade)
{
    switch (grade) {
    case ProfileGrade::Fine: return QStringLiteral("fine");
    case ProfileGrade::Medium: return QStringLiteral("medium");
    case ProfileGrade::Coarse: return QStringLiteral("coarse");
    }
    return {};
}

} // namespace

QString judgementText(const Judgement& j)
{
    QStringList words{ruleWord(j.rule)};
    words << (j.rule == JudgeRule::SspcPa2 ? QStringLiteral("min=") : QStringLiteral("nominal=")) + cNumber(j.nominal);
    if (j.maximum) words << QStringLiteral("max=") + cNumber(*j.maximum);
    if (j.rule == JudgeRule::SspcPa2)
        words << QStringLiteral("spot=%1").arg(j.spotSize) << QStringLiteral("low=%1").arg(j.lowPercent)
              << QStringLiteral("high=%1").arg(j.highPercent);
    words << QStringLiteral("correction=") + cNumber(j.correction);
    if (j.grade) words << QStringLiteral("grade=") + gradeWord(*j.grade);
    return words.join(u' ');
}

std::optional<Judgement> judgementFromText(const QString& text)
{
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) return std::nullopt;
    Judgement j;
    const std::optional<JudgeRule> rule = ruleOfWord(words.first());
    if (!rule) return std::nullopt;
    j.rule = *rule;
    for (const QString& word : words.mid(1)) {
        const QString key = word.section(u'=', 0, 0);
        const QString value = word.section(u'=', 1);
        bool ok = false;
        if (key == u"grade") {
            j.grade = gradeNamed(value);
            ok = j.grade.has_value();
        } else if (key == u"spot" || key == u"low" || key == u"high") {
            const int n = value.toInt(&ok);
            (key == u"spot" ? j.spotSize : key == u"low" ? j.lowPercent : j.highPercent) = n;
        } else {
            const double v = value.toDouble(&ok);
            ok = ok && finite(v);
            if (key == u"min" || key == u"nominal") j.nominal = v;
            else if (key == u"max") j.maximum = v;
            else if (key == u"correction") j.correction = v;
            else ok = false;
        }
        if (!ok) return std::nullopt;
    }
    // A line changed outside the program judges nothing it could not have chosen.
    if (!whyNotJudgement(j, false).isEmpty()) return std::nullopt;
    return j;
}

} // namespace kivo
