#include "output/CustomerReport.h"

#include "charts/ChartTable.h"
#include "table/NumberFormat.h"
#include "texts/Phrases.h"
#include "texts/Texte.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kivo {

Side sideOf(double value, bool absolut, const LimitFields& limits)
{
    if (limits.Emin == 0 && limits.Emax == 0) return Side::None;
    const double v = absolut ? std::fabs(value) : value;
    if (v < limits.Emin) return Side::Below;
    if (limits.Emax != 0 && v > limits.Emax) return Side::Above;
    return Side::Within;
}

QString sideMark(Side side)
{
    return side == Side::Below ? QStringLiteral("▼") : side == Side::Above ? QStringLiteral("▲") : QString();
}

Histogram histogramOf(const std::vector<double>& values, const std::vector<double>& marks)
{
    Histogram h;
    if (values.empty()) return h;
    double lo = *std::min_element(values.begin(), values.end());
    double hi = *std::max_element(values.begin(), values.end());
    for (double m : marks) {
        lo = std::min(lo, m);
        hi = std::max(hi, m);
    }
    const int bins = std::clamp(int(std::lround(std::sqrt(double(values.size())))), 5, 30);
    if (hi <= lo) {
        lo -= 0.5;
        hi += 0.5;
    }
    h.lo = lo;
    h.width = (hi - lo) / bins;
    h.counts.assign(size_t(bins), 0);
    for (double v : values) {
        const int i = std::clamp(int(std::floor((v - lo) / h.width)), 0, bins - 1);
        ++h.counts[size_t(i)];
    }
    return h;
}

QString whyNoReport(const ReportSource& s)
{
    if (s.readings.empty()) return phrase(Phrase::ReportNoReadings, s.german);
    QStringList units;
    for (const ReportReading& r : s.readings)
        if (!units.contains(r.unit.trimmed())) units << r.unit.trimmed();
    if (units.size() > 1) return phrase(Phrase::ReportMixedUnits, s.german).arg(units.join(QStringLiteral(", ")));
    return {};
}

namespace {

QString orDash(const QString& text) { return text.trimmed().isEmpty() ? QStringLiteral("–") : text.trimmed(); }

void addHead(CustomerReport& r, const ReportSource& s)
{
    const bool de = s.german;
    QString gauge = phrase(Phrase::ReportGaugeUnknown, de);
    if (!s.gaugeModel.isEmpty()) {
        gauge = s.gaugeModel;
        if (!s.gaugeCode.isEmpty() && s.gaugeCode != s.gaugeModel) gauge += QStringLiteral(" (%1)").arg(s.gaugeCode);
    }
    r.head.push_back({phrase(Phrase::ReportGauge, de), gauge});
    if (!s.gaugeVersion.trimmed().isEmpty()) r.head.push_back({phrase(Phrase::ReportGaugeSoftware, de), s.gaugeVersion.trimmed()});
    if (!s.serial.trimmed().isEmpty()) r.head.push_back({phrase(Phrase::ArchiveSerial, de), s.serial.trimmed()});
    r.head.push_back({phrase(Phrase::ReportSource, de), orDash(s.memory)});
    const ReportReading& first = s.readings.front();
    const ReportReading& last = s.readings.back();
    const QString from = (first.date + u' ' + first.time).trimmed();
    // The day once when the readings end on the day they began.
    const QString to = (last.date.isEmpty() || last.date == first.date ? last.time : last.date + u' ' + last.time).trimmed();
    const bool once = (last.date.isEmpty() || last.date == first.date) && last.time == first.time;
    r.head.push_back({phrase(Phrase::ReportTaken, de), once ? orDash(from) : phrase(Phrase::ReportFromTo, de).arg(from, to)});
    r.projectTitle = phrase(Phrase::ReportProject, de);
    if (!s.projectDate.trimmed().isEmpty())
        r.project.push_back({phrase(Phrase::ArchiveProjectDate, de), s.projectDate.trimmed()});
    for (size_t i = 0; i < s.fields.size(); ++i)
        if (!s.captions[i].trimmed().isEmpty() || !s.fields[i].trimmed().isEmpty())
            r.project.push_back({s.captions[i].trimmed(), orDash(s.fields[i])});
}

void addFigures(CustomerReport& r, const ReportSource& s, const QString& unit)
{
    const bool de = s.german;
    const QLocale& loc = s.locale;
    const std::vector<double>& v = s.counted;
    const int n = int(v.size());
    const auto withUnit = [&](double x) { return formatFixed(x, r.decimals, loc) + u' ' + unit; };
    r.figuresTitle = phrase(Phrase::ReportFigures, de);
    // The figures of sizes where a reading had a sign, as the statistics beside the table.
    if (s.signDropped) r.figuresTitle += QStringLiteral(" (") + tableText(Stat::MitAbsolutwerten, de).trimmed() + u')';
    // In pairs, as they stand side by side: count and mean, the extremes,
    // the spread, the limits, the target, and the counts on each side.
    std::vector<ReportPair>& f = r.figures;
    f.push_back({phrase(Phrase::ArchiveCount, de), loc.toString(n)});
    if (n > 0) {
        const double mean = std::accumulate(v.begin(), v.end(), 0.0) / n;
        f.push_back({phrase(Phrase::ArchiveMean, de), withUnit(mean)});
        f.push_back({tableText(Stat::Minimum, de).trimmed(), withUnit(*std::min_element(v.begin(), v.end()))});
        f.push_back({tableText(Stat::Maximum, de).trimmed(), withUnit(*std::max_element(v.begin(), v.end()))});
        if (n > 1) {
            double squares = 0;
            for (double x : v) squares += (x - mean) * (x - mean);
            const double sd = std::sqrt(squares / (n - 1));
            f.push_back({phrase(Phrase::ReportStdDev, de), formatFixed(sd, r.decimals + 1, loc) + u' ' + unit});
            // The spread as a share of the mean; none for a mean of 0.
            f.push_back({phrase(Phrase::ReportCv, de), std::fabs(mean) > 1e-12
                                                           ? formatFixed(100 * sd / std::fabs(mean), 1, loc) + QStringLiteral(" %")
                                                           : QStringLiteral("–")});
        }
    }
    if (f.size() % 2 == 1) f.push_back({});
    const auto limit = [&](double x) { return x != 0 ? withUnit(x) : phrase(Phrase::ReportNotSet, de); };
    f.push_back({phrase(Phrase::ReportLower, de), limit(s.limits.Emin)});
    f.push_back({phrase(Phrase::ReportUpper, de), limit(s.limits.Emax)});
    f.push_back({phrase(Phrase::ReportTarget, de), limit(s.limits.Esoll)});
    f.push_back({});
    if (s.limits.Emin != 0 || s.limits.Emax != 0) {
        std::array<int, 4> sides{};
        for (const ReportReading& x : s.readings) ++sides[size_t(sideOf(x.value, s.absolut, s.limits))];
        f.push_back({phrase(Phrase::ReportBelow, de), loc.toString(sides[size_t(Side::Below)])});
        f.push_back({phrase(Phrase::ReportAbove, de), loc.toString(sides[size_t(Side::Above)])});
        f.push_back({phrase(Phrase::ReportWithin, de), loc.toString(sides[size_t(Side::Within)])});
    }
}

void addVerdict(CustomerReport& r, const ReportSource& s)
{
    if (!s.judgement) return;
    const bool de = s.german;
    r.verdictTitle = phrase(Phrase::AcceptanceTitle, de) + QStringLiteral(": ") + ruleTitle(s.judgement->rule);
    JudgedTable table;
    table.name = s.tableName;
    table.values = s.counted;
    table.absolute = s.signDropped;
    for (const ReportReading& x : s.readings) table.units << x.unit;
    if (const std::optional<QString> why = whyNotJudged(table.units, de)) {
        r.verdictLines << *why;
        return;
    }
    if (const QString why = whyNotJudgedBy(*s.judgement, int(s.counted.size()), de); !why.isEmpty()) {
        r.verdictLines << judgedLine(table, de) << why;
        return;
    }
    const Verdict v = judge(s.counted, *s.judgement, de, [&](double x) { return formatFixed(x, 1, s.locale); });
    r.verdictLines << judgedLine(table, de) << v.lines;
    r.verdict = verdictLine(s.judgement->rule, v.met, de);
    r.met = v.met;
}

void addCharts(CustomerReport& r, const ReportSource& s)
{
    const bool de = s.german;
    ChartTable table;
    table.AnzahlWerte = int(s.readings.size());
    for (const ReportReading& x : s.readings) table.values.push_back(s.absolut ? std::fabs(x.value) : x.value);
    r.chartTitle = phrase(Phrase::ReportChart, de) + QStringLiteral(" (%1)").arg(r.unit);
    r.chart = windowChart(table, false, s.limits, r.decimals, de, s.locale);
    r.histogramTitle = phrase(Phrase::ReportHistogram, de) + QStringLiteral(" (%1)").arg(r.unit);
    std::vector<double> marks;
    // Named as the line chart names them.
    for (const auto& [caption, value, target] :
         {std::tuple{QStringLiteral("Minimum"), s.limits.Emin, false}, std::tuple{QStringLiteral("Maximum"), s.limits.Emax, false},
          std::tuple{tableText(Stat::Sollwert, de).trimmed(), s.limits.Esoll, true}})
        if (value != 0) {
            r.histogramMarks.push_back({caption, value, target});
            marks.push_back(value);
        }
    r.histogram = histogramOf(table.values, marks);
}

void addReadings(CustomerReport& r, const ReportSource& s)
{
    const bool de = s.german;
    r.readingsTitle = phrase(Phrase::ReportReadings, de);
    r.columns = {tableText(Msg::Nr, de).trimmed(), phrase(Phrase::ReportColValue, de), phrase(Phrase::ReportColUnit, de),
                 phrase(Phrase::ReportColMaterial, de), phrase(Phrase::CsvTime, de)};
    r.cells.reserve(s.readings.size());
    for (const ReportReading& x : s.readings) {
        const Side side = sideOf(x.value, s.absolut, s.limits);
        r.cells.push_back({QString::number(x.nr), FormatValue(x.value, x.unit, s.locale).trimmed(), x.unit.trimmed(),
                           x.material.trimmed(), x.time.trimmed(), side});
    }
    if (s.limits.Emin != 0 || s.limits.Emax != 0) r.legend = phrase(Phrase::ReportLegend, de); // else no mark
}

} // namespace

CustomerReport buildCustomerReport(const ReportSource& s)
{
    CustomerReport r;
    const bool de = s.german;
    r.letter = s.letter;
    r.title = phrase(Phrase::ReportTitle, de);
    r.subtitle = QStringList{s.brand.trimmed(), s.program.trimmed()}.join(QStringLiteral(" – "));
    r.pageText = phrase(Phrase::ReportPage, de);
    r.signature = phrase(Phrase::ReportSignature, de);
    // Dates as the readings carry them, in either language.
    r.madeText = phrase(Phrase::ReportMade, de).arg(s.madeAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")), s.program.trimmed());
    if (s.readings.empty()) return r;
    r.unit = s.readings.front().unit.trimmed();
    r.decimals = decimalsForUnit(r.unit);
    addHead(r, s);
    addFigures(r, s, r.unit);
    addVerdict(r, s);
    addCharts(r, s);
    addReadings(r, s);
    return r;
}

} // namespace kivo
