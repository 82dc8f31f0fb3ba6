#include "table/Records.h"

namespace kivo {

Records::Records()
{
    for (auto& kind : kinds) kind.resize(kMaxReadings + 1);
}

Record* Records::find(int kind, int slot)
{
    return validSlot(kind, slot) ? &kinds[size_t(kind)][size_t(slot)] : nullptr;
}

Record& Records::at(int kind, int slot)
{
    if (Record* r = find(kind, slot)) return *r;
    scratch = Record{};
    return scratch;
}

const Record& Records::at(int kind, int slot) const
{
    static const Record empty;
    return validSlot(kind, slot) ? kinds[size_t(kind)][size_t(slot)] : empty;
}

void Records::ClearRecords(int kind)
{
    for (int slot = 1; slot <= kMaxReadings; ++slot) {
        Record& r = at(kind, slot);
        r.datum = QStringLiteral(" ");
        r.zeit = QStringLiteral(" ");
        r.nr = 0;
        r.wert = 0;
        r.einheit = QStringLiteral(" ");
    }
}

int Records::count(int kind) const
{
    int n = 0;
    while (n < kMaxReadings && (at(kind, n + 1).nr != 0 || at(kind, n + 1).wert != 0)) ++n;
    return n;
}

} // namespace kivo
