#pragma once
// Running statistics of the table on show.

#include <QString>

namespace kivo {

struct Statistics {
    double min = 999999;
    double max = -999999;
    double minabs = 999999;
    double maxabs = -999999;
    double mean = 0;
    double meanabs = 0;
    QString anz_min;
    QString anz_max;
    QString anz_mean;
    QString anz_dev;
    double sumValues = 0;
    double sumAbsValues = 0;
    double sumSquares = 0;
    double stdDev = 0;
    double stdDevAbs = 0;
    QString firstUnit;
    bool mixedUnits = false;
    int statCount = 0;

    // Back to "no reading seen"; the absolute deviation and the displayed
    // extremes keep their last values, as the statistics list shows them.
    void reset()
    {
        min = 999999;
        max = -999999;
        minabs = 999999;
        maxabs = -999999;
        mean = 0;
        meanabs = 0;
        anz_dev = QStringLiteral(" ");
        sumValues = 0;
        sumAbsValues = 0;
        sumSquares = 0;
        stdDev = 0;
        firstUnit.clear();
        mixedUnits = false;
    }
};

} // namespace kivo
