#pragma once
// The running statistics of the table on show and the lines of the
// statistics list beside the grid.

#include "table/Statistics.h"
#include "texts/Texte.h"

#include <QLocale>
#include <QStringList>

namespace kivo {

// Folds one reading in. Only the RK models have signed statistics: for the
// others the value's size counts. The absolute extremes are followed only
// while `absolut` is on (switching it rebuilds the table).
void foldIn(Statistics& s, double value, const QString& unit, bool signedModel, bool absolut);

// A reading as the figures on show count it: its size, unless the model has
// signed statistics and absolute values are off.
double countedValue(double value, bool signedModel, bool absolut);

// Mean, sample standard deviation (divisor n - 1) and the four display
// texts for `n` readings (n >= 1).
void computeDisplay(Statistics& s, int n, bool absolut, const QLocale& locale);

// The list as the operator sees it: the table's name, the heading, then
// count, minimum, maximum, mean and (from two readings on) the standard
// deviation, or three lines saying why there are none.
QStringList statisticsLines(const Statistics& s, int n, const QString& tableName, bool withAbsoluteHeading,
                            const Texte& texte);

} // namespace kivo
