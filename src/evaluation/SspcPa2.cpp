#include "evaluation/SspcPa2.h"

#include "texts/Phrases.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

// Everything is compared in whole hundredths of a µm, as the other rules
// compare, so a figure exactly on a boundary is on it.
long long hundredths(double v) { return std::llround(v * 100); }

QString readingsRange(int first, int last) { return first == last ? QString::number(first) : QStringLiteral("%1–%2").arg(first).arg(last); }

} // namespace

QString whyNotSspc(const SspcInput& in, bool german)
{
    if (in.spotSize < 1) return phrase(Phrase::SspcSpotSize, german);
    if (in.lowPercent < 1 || in.lowPercent > 100 || in.highPercent < 100) return phrase(Phrase::SspcShares, german);
    if (in.minimum <= 0 || in.maximum < in.minimum) return phrase(Phrase::SspcMinMax, german);
    return {};
}

SspcResult judgeSspcPa2(const std::vector<double>& readings, const SspcInput& in)
{
    SspcResult result;
    const long long correction = hundredths(in.correction);
    const long long minimum = hundredths(in.minimum);
    const long long maximum = hundredths(in.maximum);
    const int n = int(readings.size());
    const int size = std::max(1, in.spotSize);
    const int spots = n / size;
    result.leftOver = n - spots * size;
    // A spot measurement is reported, and judged, as its mean rounded to
    // the gauge's hundredths; an area as the mean of its spots, rounded alike.
    std::vector<long long> spotMeans;
    for (int s = 0; s < spots; ++s) {
        long long sum = 0;
        for (int i = s * size; i < (s + 1) * size; ++i) sum += hundredths(readings[size_t(i)]) - correction;
        const long long mean = std::llround(double(sum) / size);
        // mean ≥ low % of the minimum: mean·100 ≥ minimum·low, in whole numbers
        const bool met = mean * 100 >= minimum * in.lowPercent && mean * 100 <= maximum * in.highPercent;
        result.spots.push_back({s * size + 1, (s + 1) * size, double(mean) / 100, met});
        spotMeans.push_back(mean);
    }
    for (int first = 0; first < spots; first += kSpotsPerArea) {
        const int count = std::min(kSpotsPerArea, spots - first);
        long long sum = 0;
        for (int s = first; s < first + count; ++s) sum += spotMeans[size_t(s)];
        const long long mean = std::llround(double(sum) / count);
        result.areas.push_back({first + 1, count, first * size + 1, (first + count) * size, double(mean) / 100,
                                mean >= minimum && mean <= maximum});
    }
    result.met = !result.spots.empty()
                 && std::all_of(result.spots.begin(), result.spots.end(), [](const SspcSpot& s) { return s.met; })
                 && std::all_of(result.areas.begin(), result.areas.end(), [](const SspcArea& a) { return a.met; });
    return result;
}

QStringList sspcLines(const SspcResult& result, const SspcInput& in, bool german,
                      const std::function<QString(double)>& formatNumber)
{
    const auto mark = [](bool met) { return met ? QStringLiteral("✓ ") : QStringLiteral("✗ "); };
    const bool spotsMet = std::all_of(result.spots.begin(), result.spots.end(), [](const SspcSpot& s) { return s.met; });
    const bool areasMet = std::all_of(result.areas.begin(), result.areas.end(), [](const SspcArea& a) { return a.met; });
    QStringList lines;
    lines << mark(spotsMet && !result.spots.empty())
                 + phrase(Phrase::SspcSpotRule, german)
                       .arg(in.spotSize)
                       .arg(formatNumber(in.minimum * in.lowPercent / 100), formatNumber(in.maximum * in.highPercent / 100))
                       .arg(result.spots.size());
    for (const SspcSpot& s : result.spots)
        if (!s.met)
            lines << QStringLiteral("   ")
                         + phrase(Phrase::SspcSpotFails, german)
                               .arg(readingsRange(s.firstReading, s.lastReading), formatNumber(s.mean));
    lines << mark(areasMet && !result.areas.empty())
                 + phrase(Phrase::SspcAreaRule, german)
                       .arg(formatNumber(in.minimum), formatNumber(in.maximum))
                       .arg(result.areas.size());
    for (const SspcArea& a : result.areas)
        if (!a.met || a.spots < kSpotsPerArea)
            lines << QStringLiteral("   ")
                         + phrase(a.met ? Phrase::SspcAreaShort : Phrase::SspcAreaFails, german)
                               .arg(readingsRange(a.firstReading, a.lastReading), formatNumber(a.mean))
                               .arg(a.spots);
    if (result.leftOver > 0) lines << phrase(Phrase::SspcLeftOver, german).arg(result.leftOver);
    return lines;
}

} // namespace kivo
