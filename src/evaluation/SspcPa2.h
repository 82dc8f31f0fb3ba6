#pragma once
// SSPC-PA 2: the readings taken in order make spots of N gauge readings (a
// spot measurement is their mean), five spots an area. Every spot lies
// within low % of the minimum and high % of the maximum (80 % and 120 %:
// the standard's restriction level 3), every area's mean within the
// minimum and the maximum. Pure: values in, verdict out.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kivo {

struct SspcInput {
    double minimum = 0;  // specified dry film thickness, µm
    double maximum = 0;
    int spotSize = 3;    // gauge readings a spot
    int lowPercent = 80; // a spot's least, as a share of the minimum
    int highPercent = 120;
    double correction = 0; // subtracted from every reading first
};

inline constexpr int kSpotsPerArea = 5;

struct SspcSpot {
    int firstReading = 0; // 1.. in the order taken
    int lastReading = 0;
    double mean = 0;
    bool met = false;
};

struct SspcArea {
    int firstSpot = 0; // 1..
    int spots = 0;     // fewer than five for a last area cut short
    int firstReading = 0;
    int lastReading = 0;
    double mean = 0;   // of its spot measurements
    bool met = false;
};

struct SspcResult {
    std::vector<SspcSpot> spots;
    std::vector<SspcArea> areas;
    int leftOver = 0; // readings at the end too few for a spot: said, not judged
    bool met = false; // every spot and every area, and at least one spot
};

// Why the figures cannot be judged (a minimum above the maximum, a spot of
// no readings, shares that make no sense); "" when they can.
QString whyNotSspc(const SspcInput& input, bool german);

SspcResult judgeSspcPa2(const std::vector<double>& readings, const SspcInput& input);

// The verdict's lines: the limits a spot and an area must keep, each spot
// and area that fails with its readings' numbers, the readings left over;
// numbers in `formatNumber`.
QStringList sspcLines(const SspcResult& result, const SspcInput& input, bool german,
                      const std::function<QString(double)>& formatNumber);

} // namespace kivo
