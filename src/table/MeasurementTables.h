#pragma once
// The measurement tables: the readings of memory 1 (FE), memory 2 (NFE) and
// the online readings, the running statistics of the table on show, the
// limits they are checked against, and the two counters that say where the
// next reading goes. The window asks and tells; it holds none of it.

#include "settings/SettingsFiles.h"
#include "table/LimitCheck.h"
#include "table/Records.h"
#include "table/Statistics.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace kivo {

// Lower limit, upper limit and target value (0 = not set) with their texts.
struct Limits : LimitFields {
    bool wertechanged = false; // the limits window changed them
};

// One reading as it goes into a table.
struct Reading {
    std::optional<int> nr;           // the gauge's number; online readings take the running number
    double wert = 0;
    QString einheit;
    std::optional<QString> material; // nullopt: the model keeps none
};

class MeasurementTables {
public:
    // --- The readings
    const Records& records() const { return sets; }
    const Record& record(int kind, int slot) const { return sets.at(kind, slot); }
    int count(int kind) const { return sets.count(kind); }
    void ClearRecords(int kind) { sets.ClearRecords(kind); }
    void setRecord(int kind, int slot, const Record& record);
    void setTableDate(int kind, const QString& datum) { sets.at(kind, 0).datum = datum; }
    void setDatum(int kind, int slot, const QString& datum) { sets.at(kind, slot).datum = datum; }

    struct Taken {
        bool kept = false; // a row of the table now (number or value not 0)
        bool full = false; // no slot left: nothing was written
        int slot = 0;      // where it went
    };
    // Stores a reading in the slot being filled (online: at the running
    // number) and stamps an empty date and time.
    Taken take(int kind, const Reading& reading, const QString& date, const QString& time);
    // After a kept reading: the next one fills the next slot, and with
    // `countOnline` takes the next running number.
    void advance(bool countOnline)
    {
        ++slot;
        if (countOnline) ++onlineNumber;
    }

    // --- Where the next reading goes
    int satznr() const { return slot; }
    void setSatznr(int n) { slot = n; }
    int onlineZaehler() const { return onlineNumber; }
    void setOnlineZaehler(int n) { onlineNumber = n; }
    void nextOnlineNumber() { ++onlineNumber; }
    bool onlineFull() const { return onlineNumber > kMaxReadings; }

    // --- Statistics of the table on show
    const Statistics& statistics() const { return stats; }
    // Back to no reading; the next reading fills slot 1.
    void ResetStatistics();
    // Folds the reading of the slot just filled in.
    void UpdateStatistics(double value, const QString& unit, bool signedModel);
    // Readings folded in since the last reset.
    int statisticsCount() const { return folded; }
    // The display texts for `n` readings; n is kept as the count of the pass.
    void computeDisplay(int n, const QLocale& locale);
    // Deleting a table forgets the unit its statistics were taken in.
    void clearFirstUnit() { stats.firstUnit.clear(); }
    bool absolut() const { return absoluteValues; }
    void setAbsolut(bool on) { absoluteValues = on; }

    // --- Limits
    const Limits& limits() const { return bounds; }
    void setLimits(const LimitFields& fields) { static_cast<LimitFields&>(bounds) = fields; }
    void setLimitsChanged(bool changed) { bounds.wertechanged = changed; }
    LimitMark evaluate(double value) const { return evaluateLimits(value, absoluteValues, bounds.Emin, bounds.Emax); }

private:
    Records sets;
    Statistics stats;
    Limits bounds;
    int slot = 1;
    int onlineNumber = 1;
    int folded = 0;
    bool absoluteValues = false;
};

} // namespace kivo
