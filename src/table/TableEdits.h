#pragma once
// The rules of editing a table, over plain values: deleting one reading,
// the order the Sort button gives, and the limits dialog's field rules.

#include "table/Records.h"
#include "texts/TextKeys.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace kivo {

// The readings left after deleting the one at `index` (0-based, slot order):
// ascending by reading number (numbers as numbers, ties in slot order),
// renumbered 1..n. Every reading keeps its own value, unit, material, date
// and time.
std::vector<Record> afterDeleting(const std::vector<Record>& readings, size_t index);

// Sort toggles: a grid in descending order (second number below the first,
// both above 0) becomes ascending; anything else becomes descending.
bool sortAscending(int firstNumber, int secondNumber);

// The row order that shows `numbers` sorted (a stable sort).
std::vector<size_t> sortedOrder(const std::vector<int>& numbers, bool ascending);

// A limits field as the operator leaves it.
struct LimitEntry {
    enum Outcome { Empty, NotNumeric, Taken } outcome = Taken;
    bool wasNegative = false; // its minus signs were removed
    QString text;             // what the field holds now
    double value = 0;
};
// `target`: an empty target field is set to "0"; an empty limit stays empty.
LimitEntry readLimitEntry(const QString& text, bool target, const QLocale& locale);

// The warnings of the three limits: the minimum above the maximum, the
// target outside the limits. A limit of 0 is not set and is not compared
// with.
std::vector<Msg> compareLimits(double Emin, double Emax, double Esoll);

} // namespace kivo
