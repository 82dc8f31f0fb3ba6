#pragma once
// The readings of the three tables: memory 1 (FE), memory 2 (NFE) and the
// online readings, 5000 slots each; slot 0 is not used. The first slot whose
// number and value are both 0 ends a table.


#include "shared/Messart.h"

#include <QString>
#include <array>
#include <vector>

namespace kivo {



struct Record {
    QString datum; // "dd.mm.yyyy"
    QString zeit;  // "hh:nn:ss"
    int nr = 0;
    double wert = 0;
    QString einheit; // 4 characters
    QString material;
};

class Records {
public:
    Records();
    // Slot 0..5000 of a table; nullptr for any other index, so a count that
    // ran past the end can never write behind the arrays.
    Record* find(int kind, int slot);
    // The same for callers whose index is bounded already; an index out of
    // range reads as an empty record and writes go to a scratch record that
    // no table holds.
    Record& at(int kind, int slot);
    const Record& at(int kind, int slot) const;
    static bool validSlot(int kind, int slot) { return kind >= 0 && kind < 3 && slot >= 0 && slot <= kMaxReadings; }
    // Empties slots 1..5000 of a table; the material labels stay.
    void ClearRecords(int kind);
    // The readings of a table: slots from 1 up to the first empty one.
    int count(int kind) const;

private:
    std::array<std::vector<Record>, 3> kinds;
    Record scratch;
};

} // namespace kivo
