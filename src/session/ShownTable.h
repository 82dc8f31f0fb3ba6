#pragma once
// The rows of the table on show as its views draw them: the order of the
// readings (slot numbers) and the operator's marks. A mark belongs to its
// reading and moves with it when the rows are sorted. Sorting changes only
// this order: the readings, the files and the reports keep theirs.

#include "table/Records.h"

#include <QLocale>
#include <QString>
#include <array>
#include <vector>

namespace kivo {

// How a row looks, as the view colours it.
enum class RowLook {
    Plain,   // no limit applies, or its mark was taken off
    Within,  // within the limits
    Outside, // outside them
    Marked,  // marked by the operator
};

class ShownTable {
public:
    // Slots 1..count in their own order, nothing marked.
    void reset(int count);
    // A new reading at the end.
    void append(int slot);
    int rows() const { return int(order.size()); }
    // The slot shown in `row` (from 0); 0 outside the rows.
    int slotAt(int row) const;
    // The rows in the order `newOrder` gives (indices of the rows as they
    // stand, from 0).
    void reorder(const std::vector<size_t>& newOrder);

    // A click on a row marks it, a second click takes the mark off: the row
    // is then plain, its limit colour gone until the table is drawn anew.
    enum class Mark { None, Marked, Cleared };
    void toggleMark(int row);
    Mark markOf(int slot) const;
    // The slots marked, in the rows' order.
    std::vector<int> markedSlots() const;

private:
    std::vector<int> order;
    std::vector<Mark> marks; // by slot, from slot 1 at [1]
};

// The four cells of a reading's row: time, number right-aligned in 7, the
// value as the gauge gave it, the unit and the material right-aligned in 4.
std::array<QString, 4> readingCells(const Record& record, const QLocale& locale);

} // namespace kivo
