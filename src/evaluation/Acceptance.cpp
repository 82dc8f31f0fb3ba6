#include "evaluation/Acceptance.h"

#include "table/StatisticsList.h"
#include "texts/Phrases.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kivo {

namespace {

double share(std::size_t part, std::size_t whole) { return whole == 0 ? 0 : 100.0 * double(part) / double(whole); }

Phrase criterionPhrase(CriterionKind kind)
{
    switch (kind) {
    case CriterionKind::MeanAtLeastNominal: return Phrase::MeanAtLeastNominal;
    case CriterionKind::AllAtLeast80Percent: return Phrase::AllAtLeast80Percent;
    case CriterionKind::Below100UnderFifth: return Phrase::Below100UnderFifth;
    case CriterionKind::AllAtMostMaximum: return Phrase::AllAtMostMaximum;
    case CriterionKind::NinetyPercentAtNominal: return Phrase::NinetyPercentAtNominal;
    case CriterionKind::AllAtLeast90Percent: return Phrase::AllAtLeast90Percent;
    }
    return Phrase::Count;
}

} // namespace

AcceptanceResult judgeAcceptance(const std::vector<double>& readings, const AcceptanceInput& input)
{
    // The gauge gives thicknesses to one or two decimals: everything is
    // compared in whole hundredths of a µm, so a figure exactly on a
    // boundary is on it, whatever the binary fractions of 0.1 make of it.
    const auto hundredths = [](double v) { return std::llround(v * 100); };
    const long long correction = hundredths(input.correction);
    std::vector<long long> values;
    values.reserve(readings.size());
    for (double v : readings) values.push_back(hundredths(v) - correction);
    const std::size_t n = values.size();
    const long long count = static_cast<long long>(n);
    const long long nominal = hundredths(input.nominal);
    const long long lowest = n ? *std::min_element(values.begin(), values.end()) : 0;
    const long long highest = n ? *std::max_element(values.begin(), values.end()) : 0;
    const long long sum = std::accumulate(values.begin(), values.end(), 0LL);
    const auto countWhere = [&](auto keep) { return std::size_t(std::count_if(values.begin(), values.end(), keep)); };
    const auto um = [](long long h) { return double(h) / 100; };

    // Shares of the nominal as whole multiples (v·10 against nominal·8).
    const auto atLeastTenths = [&](long long v, int tenths) { return v * 10 >= nominal * tenths; };
    AcceptanceResult result;
    if (input.rule == AcceptanceRule::Iso19840) {
        const double mean = n ? um(sum) / double(n) : 0;
        const std::size_t between = countWhere([&](long long v) { return atLeastTenths(v, 8) && v < nominal; });
        result.criteria.push_back({CriterionKind::MeanAtLeastNominal, n > 0 && sum >= nominal * count, input.nominal, mean});
        result.criteria.push_back({CriterionKind::AllAtLeast80Percent, n > 0 && atLeastTenths(lowest, 8),
                                   input.nominal * 8 / 10, um(lowest)});
        result.criteria.push_back(
            {CriterionKind::Below100UnderFifth, n > 0 && between * 5 < n, 20, share(between, n)});
        if (input.maximum)
            result.criteria.push_back({CriterionKind::AllAtMostMaximum, n > 0 && highest <= hundredths(*input.maximum),
                                       *input.maximum, um(highest)});
    } else {
        const std::size_t atNominal = countWhere([&](long long v) { return v >= nominal; });
        result.criteria.push_back(
            {CriterionKind::NinetyPercentAtNominal, n > 0 && atNominal * 10 >= n * 9, 90, share(atNominal, n)});
        result.criteria.push_back({CriterionKind::AllAtLeast90Percent, n > 0 && atLeastTenths(lowest, 9),
                                   input.nominal * 9 / 10, um(lowest)});
    }
    result.met = std::all_of(result.criteria.begin(), result.criteria.end(), [](const Criterion& c) { return c.met; });
    return result;
}

void JudgedTable::add(double stored, const QString& unit, bool signedModel, bool absolut)
{
    const double value = countedValue(stored, signedModel, absolut);
    absolute = absolute || value != stored;
    values.push_back(value);
    units << unit;
}

bool sameReadings(const JudgedTable& a, const JudgedTable& b)
{
    return a.values == b.values && a.units == b.units && a.absolute == b.absolute;
}

QString judgedLine(const JudgedTable& table, bool german)
{
    const qsizetype n = qsizetype(table.values.size());
    QString line = phrase(Phrase::JudgedTable, german)
                       .arg(table.name)
                       .arg(n)
                       .arg(phrase(n == 1 ? Phrase::JudgedReading : Phrase::JudgedReadings, german));
    if (table.absolute) line += phrase(Phrase::JudgedAbsolute, german);
    return line;
}

std::optional<QString> whyNotJudged(const QStringList& units, bool german)
{
    if (units.isEmpty()) return phrase(Phrase::NoReadingsToJudge, german);
    const QString first = units.first().trimmed();
    for (const QString& unit : units)
        if (unit.trimmed() != first) return phrase(Phrase::MixedUnitsNotJudged, german);
    if (first != u"µm") return phrase(Phrase::NotMicrometres, german).arg(first);
    return std::nullopt;
}

QStringList criterionLines(const AcceptanceResult& result, bool german,
                           const std::function<QString(double)>& formatNumber)
{
    QStringList lines;
    for (const Criterion& c : result.criteria) {
        const QString req = formatNumber(c.required);
        const QString found = formatNumber(c.found);
        const QString text = phrase(criterionPhrase(c.kind), german).arg(req, found);
        lines << (c.met ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + text;
    }
    return lines;
}

QString verdictText(bool met, bool german)
{
    return phrase(met ? Phrase::VerdictMet : Phrase::VerdictNotMet, german);
}

} // namespace kivo
