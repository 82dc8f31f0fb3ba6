#pragma once
// The inspection as the program keeps it, whatever shows it: the tables of
// readings (with their limits, the absolute-values switch and the counters)
// and the rule that turns a gauge's record line into a reading. A view is
// told of each reading through a signal and draws it; the session knows no
// window.

#include "device/ModelProfile.h"
#include "table/MeasurementTables.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace kivo {

class GaugeSession : public QObject {
    Q_OBJECT
public:
    explicit GaugeSession(QObject* parent = nullptr) : QObject(parent) {}

    MeasurementTables& tables() { return tableSet; }
    const MeasurementTables& tables() const { return tableSet; }

    // What became of a record line: taken into the table, and why not.
    struct Intake {
        bool kept = false;
        QString error; // "" or the line's fault ("6Overflow", "9Subscript out of range", a field's error)
    };
    // A gauge's record line into the table `kind`, read with the model's
    // profile and stamped with `now` where it carries no date and time. A
    // value that is no number, or one the measurement file could not hold,
    // never reaches the table; a full table takes nothing.
    Intake takeRecordLine(const QString& zeile, int kind, const ModelProfile& profile, const QDateTime& now);

signals:
    // A reading is in the table `kind` at `slot`; the next one goes to the
    // next slot once the views have drawn this one.
    void readingTaken(int kind, int slot);

private:
    MeasurementTables tableSet;
};

} // namespace kivo
