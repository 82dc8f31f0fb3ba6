#pragma once
// Where the readings of a table came from (the gauge that gave them, a
// file, an archived inspection) and the acceptance check chosen for them,
// so what is written of the table later can say so.

#include "evaluation/Judgement.h"

#include <QString>
#include <optional>

namespace kivo {

struct TableOrigin {
    QString source;       // "memory1", "memory2", "online", "file", "archive"; "" for an empty table
    QString model;        // the gauge's model code, where a gauge is known
    QString gaugeCode;    // what its identification said
    QString gaugeVersion;
    QString serial;
    QString fileName;     // the measurement file, or how an archived inspection is named
    QString archiveUuid;  // the inspection in the archive it was opened from
    std::optional<Judgement> judgement; // the check last made on it
};

} // namespace kivo
