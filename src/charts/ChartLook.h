#pragma once
// A chart as the program describes it: line or bar, series with their pen,
// fixed axis scales. A view draws it; the description stays readable, so
// the driver can report what is on show.

#include "shared/Rgb.h"

#include <QString>
#include <vector>

namespace kivo {

// The pens of every chart the program draws: the readings, the target and
// the limits.
inline const Rgb kValueColour{0, 0, 153};
inline const Rgb kTargetColour{150, 0, 0};
inline const Rgb kLimitColour{0, 130, 0};

struct ChartSeries {
    QString name;
    Rgb colour;
    double width = 1;    // pen width in pixels
    bool broken = false; // a broken (dashed) line instead of a solid one
    std::vector<double> values; // one a category, from category 1
};

struct ChartLook {
    bool bar = false; // a bar chart of the first series; else lines
    std::vector<ChartSeries> series;
    double xMin = 0, xMax = 1; // in reading numbers; xMax is the count of readings
    double yMin = 0, yMax = 1;
};

} // namespace kivo
