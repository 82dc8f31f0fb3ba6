#include "session/ShownTable.h"

#include "shared/Align.h"
#include "table/NumberFormat.h"

namespace kivo {

void ShownTable::reset(int count)
{
    order.clear();
    order.reserve(size_t(count > 0 ? count : 0));
    for (int slot = 1; slot <= count; ++slot) order.push_back(slot);
    marks.assign(size_t(count > 0 ? count : 0) + 1, Mark::None);
}

void ShownTable::append(int slot)
{
    if (slot < 1) return;
    order.push_back(slot);
    if (size_t(slot) >= marks.size()) marks.resize(size_t(slot) + 1, Mark::None);
    marks[size_t(slot)] = Mark::None;
}

int ShownTable::slotAt(int row) const { return row >= 0 && row < rows() ? order[size_t(row)] : 0; }

void ShownTable::reorder(const std::vector<size_t>& newOrder)
{
    if (newOrder.size() != order.size()) return;
    std::vector<int> sorted;
    sorted.reserve(order.size());
    for (size_t from : newOrder) {
        if (from >= order.size()) return;
        sorted.push_back(order[from]);
    }
    order.swap(sorted);
}

void ShownTable::toggleMark(int row)
{
    const int slot = slotAt(row);
    if (slot < 1) return;
    Mark& mark = marks[size_t(slot)];
    mark = mark == Mark::Marked ? Mark::Cleared : Mark::Marked;
}

ShownTable::Mark ShownTable::markOf(int slot) const
{
    return slot >= 1 && size_t(slot) < marks.size() ? marks[size_t(slot)] : Mark::None;
}

std::vector<int> ShownTable::markedSlots() const
{
    std::vector<int> found;
    for (int slot : order)
        if (markOf(slot) == Mark::Marked) found.push_back(slot);
    return found;
}

std::array<QString, 4> readingCells(const Record& r, const QLocale& locale)
{
    return {r.zeit, Ausrichten(7, QString::number(r.nr), QStringLiteral(" "), false), FormatValue(r.wert, r.einheit, locale),
            r.einheit + Ausrichten(4, r.material, QStringLiteral(" "), false)};
}

} // namespace kivo
