#include "table/TableEdits.h"

#include "device/RecordLine.h"
#include "shared/LocaleNumber.h"

#include <algorithm>
#include <numeric>

namespace kivo {

std::vector<Record> afterDeleting(const std::vector<Record>& readings, size_t index)
{
    std::vector<Record> left;
    left.reserve(readings.size());
    for (size_t i = 0; i < readings.size(); ++i)
        if (i != index) left.push_back(readings[i]);
    std::stable_sort(left.begin(), left.end(), [](const Record& a, const Record& b) { return a.nr < b.nr; });
    for (size_t i = 0; i < left.size(); ++i) left[i].nr = int(i + 1);
    return left;
}

bool sortAscending(int firstNumber, int secondNumber)
{
    return firstNumber > 0 && secondNumber > 0 && secondNumber < firstNumber;
}

std::vector<size_t> sortedOrder(const std::vector<int>& numbers, bool ascending)
{
    std::vector<size_t> order(numbers.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return ascending ? numbers[a] < numbers[b] : numbers[a] > numbers[b];
    });
    return order;
}

LimitEntry readLimitEntry(const QString& text, bool target, const QLocale& locale)
{
    LimitEntry entry;
    entry.text = text;
    if (text.isEmpty() || text == u" ") {
        entry.outcome = LimitEntry::Empty;
        if (target) entry.text = QStringLiteral("0");
        return entry;
    }
    if (!parseSystemNumber(text, locale)) {
        entry.outcome = LimitEntry::NotNumeric;
        return entry;
    }
    // The sign is read as the gauge writes numbers, with "." alone.
    if (readNumberField(text) < 0) {
        entry.wasNegative = true;
        entry.text.remove(u'-');
    }
    entry.value = parseSystemNumber(entry.text, locale).value_or(0);
    return entry;
}

std::vector<Msg> compareLimits(double Emin, double Emax, double Esoll)
{
    std::vector<Msg> warnings;
    if (Emin != 0 && Emax != 0 && Emin > Emax) warnings.push_back(Msg::MinimumUeberMaximum);
    // Only the limits that are set bound the target: with no upper limit a
    // target above the lower one is fine.
    if (Esoll != 0 && ((Emax != 0 && Esoll > Emax) || (Emin != 0 && Esoll < Emin)))
        warnings.push_back(Msg::SollwertAusserhalb);
    return warnings;
}

} // namespace kivo
