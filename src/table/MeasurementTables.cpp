#include "table/MeasurementTables.h"

#include "table/StatisticsList.h"

namespace kivo {

void MeasurementTables::setRecord(int kind, int slot_, const Record& record)
{
    if (Record* r = sets.find(kind, slot_)) *r = record;
}

MeasurementTables::Taken MeasurementTables::take(int kind, const Reading& reading, const QString& date,
                                                 const QString& time)
{
    if (kind == kOnline) slot = onlineNumber;
    Taken taken;
    taken.slot = slot;
    Record* r = sets.find(kind, slot);
    if (!r) {
        taken.full = true;
        return taken;
    }
    if (kind == kOnline) r->nr = onlineNumber;
    else if (reading.nr) r->nr = *reading.nr;
    r->wert = reading.wert;
    r->einheit = reading.einheit;
    if (reading.material) r->material = *reading.material;
    if (r->datum.isEmpty() || r->datum == u" ") r->datum = date;
    if (r->zeit.isEmpty() || r->zeit == u" ") r->zeit = time;
    // A slot whose number and value are both 0 would end the table.
    taken.kept = r->wert != 0 || r->nr != 0;
    return taken;
}

void MeasurementTables::ResetStatistics()
{
    stats.reset();
    slot = 1;
    folded = 0;
}

void MeasurementTables::UpdateStatistics(double value, const QString& unit, bool signedModel)
{
    folded = slot;
    foldIn(stats, value, unit, signedModel, absoluteValues);
}

void MeasurementTables::computeDisplay(int n, const QLocale& locale)
{
    kivo::computeDisplay(stats, n, absoluteValues, locale);
    stats.statCount = n;
}

} // namespace kivo
