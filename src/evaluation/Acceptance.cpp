#include "evaluation/Acceptance.h"

#include "table/StatisticsList.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kivo {

namespace {

double share(std::size_t part, std::size_t whole) { return whole == 0 ? 0 : 100.0 * double(part) / double(whole); }

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
    QString line = german ? QStringLiteral("Geprüft: %1, %2 %3").arg(table.name).arg(n).arg(n == 1 ? QStringLiteral("Messwert") : QStringLiteral("Messwerte"))
                          : QStringLiteral("Checked: %1, %2 %3").arg(table.name).arg(n).arg(n == 1 ? QStringLiteral("reading") : QStringLiteral("readings"));
    if (table.absolute) line += german ? QStringLiteral(", Absolutwerte") : QStringLiteral(", absolute values");
    return line;
}

std::optional<QString> whyNotJudged(const QStringList& units, bool german)
{
    if (units.isEmpty())
        return german ? QStringLiteral("Die Tabelle enthält keine Messwerte.")
                      : QStringLiteral("The table holds no readings.");
    const QString first = units.first().trimmed();
    for (const QString& unit : units)
        if (unit.trimmed() != first)
            return german ? QStringLiteral("Die Messwerte haben verschiedene Einheiten; beurteilt wird nur eine Einheit.")
                          : QStringLiteral("The readings have different units; only one unit can be judged.");
    if (first != u"µm")
        return german ? QStringLiteral("Die Messwerte sind in %1, nicht in µm: beurteilt werden nur Schichtdicken.")
                            .arg(first)
                      : QStringLiteral("The readings are in %1, not in µm: only coating thicknesses can be judged.")
                            .arg(first);
    return std::nullopt;
}

QStringList criterionLines(const AcceptanceResult& result, bool german,
                           const std::function<QString(double)>& formatNumber)
{
    QStringList lines;
    for (const Criterion& c : result.criteria) {
        const QString req = formatNumber(c.required);
        const QString found = formatNumber(c.found);
        QString text;
        switch (c.kind) {
        case CriterionKind::MeanAtLeastNominal:
            text = german ? QStringLiteral("Mittelwert ≥ %1 µm: %2 µm") : QStringLiteral("Mean ≥ %1 µm: %2 µm");
            break;
        case CriterionKind::AllAtLeast80Percent:
            text = german ? QStringLiteral("Jeder Wert ≥ 80 % des Nennwerts (%1 µm): kleinster %2 µm")
                          : QStringLiteral("Every reading ≥ 80 % of nominal (%1 µm): lowest %2 µm");
            break;
        case CriterionKind::Below100UnderFifth:
            text = german ? QStringLiteral("Werte von 80 % bis unter 100 % des Nennwerts < %1 %: %2 %")
                          : QStringLiteral("Readings from 80 % to below 100 % of nominal < %1 %: %2 %");
            break;
        case CriterionKind::AllAtMostMaximum:
            text = german ? QStringLiteral("Jeder Wert ≤ Höchstwert %1 µm: größter %2 µm")
                          : QStringLiteral("Every reading ≤ maximum %1 µm: highest %2 µm");
            break;
        case CriterionKind::NinetyPercentAtNominal:
            text = german ? QStringLiteral("Mindestens %1 % der Werte ≥ Nennwert: %2 %")
                          : QStringLiteral("At least %1 % of readings ≥ nominal: %2 %");
            break;
        case CriterionKind::AllAtLeast90Percent:
            text = german ? QStringLiteral("Jeder Wert ≥ 90 % des Nennwerts (%1 µm): kleinster %2 µm")
                          : QStringLiteral("Every reading ≥ 90 % of nominal (%1 µm): lowest %2 µm");
            break;
        }
        lines << (c.met ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + text.arg(req, found);
    }
    return lines;
}

QString verdictText(bool met, bool german)
{
    if (german) return met ? QStringLiteral("erfüllt") : QStringLiteral("nicht erfüllt");
    return met ? QStringLiteral("met") : QStringLiteral("not met");
}

} // namespace kivo
