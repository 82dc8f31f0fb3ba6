#pragma once
// One inspection as the archive keeps it: when, which gauge, which memory
// or online, the project data and limits as they were, and every reading.

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kivo {

struct ArchivedReading {
    int seq = 0; // 1.. in the order taken; a reading deleted from the table keeps its place here
    int nr = 0;
    double value = 0; // as stored in the table
    QString unit;     // as stored (4 characters)
    QString material;
    QString date; // "dd.MM.yyyy"
    QString time; // "hh:mm:ss"
};

struct Inspection {
    qint64 id = 0;       // the archive's; 0 before it is kept
    QString uuid;        // the program's own, so a resent write is never kept twice
    QDateTime takenAt;   // UTC
    QString source;      // "memory1", "memory2", "online", "file"
    QString model;       // the installation's model code
    QString gaugeCode;   // what the identification said
    QString gaugeVersion;
    QString serial;      // where the gauge gives one (a Bluetooth address)
    std::array<QString, 6> projectCaptions;
    std::array<QString, 6> projectFields;
    QString projectDate;
    QString projectTime;
    std::optional<double> limitMin, limitMax, target; // nullopt: not set
    QString unit;        // the first reading's
    QString fileName;    // the measurement file it came from
    QString installation; // which program installation kept it
    QString judgement;   // the acceptance check chosen for it ("" none), as judgementText writes it
    std::optional<bool> verdictMet; // what that check found
    std::vector<ArchivedReading> readings;
};

// A line of the archive window's list.
struct InspectionSummary {
    qint64 id = 0;
    QDateTime takenAt;
    QString source;
    QString model;
    QString gaugeCode;
    QString serial;
    std::array<QString, 6> projectFields;
    int count = 0;
    QString unit;       // the first reading's
    double mean = 0;    // of the readings' sizes, as the statistics count them
    bool mixedUnits = false; // then no mean
};

} // namespace kivo
