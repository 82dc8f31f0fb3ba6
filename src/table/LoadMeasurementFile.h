#pragma once
// Loading a measurement file from disk through the reader, a line at a
// time: a file of any size costs the memory of the readings it keeps.

#include "settings/TextFile.h"
#include "table/MeasurementFile.h"

#include <optional>

namespace kivo {

// A measurement file by its name: it ends in .mes, in any case.
bool isMeasurementFileName(const QString& path);

// The readings of the file at `path`, at most `limit` of them, with the
// count of all its reading rows; nullopt when it cannot be read, with the
// reason in `error`. The file is UTF-8 or Windows-1252 as its bytes tell.

std::optional<LoadedFile> loadMeasurementFile(const QString& path, const QString& materialart, int limit,
                                              FileError* error = nullptr);

} // namespace kivo
