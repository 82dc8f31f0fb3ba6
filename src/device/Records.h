#pragma once
// The readings of the three tables: memory 1 (FE), memory 2 (NFE) and the
// online readings, 5000 slots each; slot 0 is not used. The first slot whose
// number and value are both 0 ends a table.

#include "app/ProgramState.h"

#include <QString>
#include <array>
#include <vector>

namespace kivo {

enum Messart : int { kFE = 0, kNFE = 1, kOnline = 2, kIdentification = 3 };

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
    Record& at(int kind, int slot) { return kinds[size_t(kind)][size_t(slot)]; }
    const Record& at(int kind, int slot) const { return kinds[size_t(kind)][size_t(slot)]; }
    // Empties slots 1..5000 of a table; the material labels stay.
    void ClearRecords(int kind);
    // The readings of a table: slots from 1 up to the first empty one.
    int count(int kind) const;

private:
    std::array<std::vector<Record>, 3> kinds;
};

} // namespace kivo
