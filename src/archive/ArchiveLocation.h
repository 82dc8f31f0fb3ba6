#pragma once
// Which archive this installation keeps its inspections in: KIVO_ARCHIVE,
// else the first line of Archiv.ini in the settings folder, else the SQLite
// file Archiv.sqlite in the data folder.

#include "archive/ArchiveTarget.h"

#include <QString>

namespace kivo {

struct ArchiveLocation {
    TargetOutcome outcome;
    QString from; // "KIVO_ARCHIVE", the Archiv.ini path, or "" for the default
};

ArchiveLocation archiveLocation(const QString& environment, const QString& settingsFolder, const QString& dataFolder);

inline constexpr const char* kArchiveIni = "Archiv.ini";
inline constexpr const char* kArchiveFile = "Archiv.sqlite";

} // namespace kivo
