#pragma once
// Reading a measurement file (*.mes) back: the report of a table, of which
// the table date and the reading rows are taken; statistics and limits are
// recomputed by the program.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kivo {

struct LoadedReading {
    QString zeit;
    int nr = 0;
    double wert = 0;
    QString einheit;                 // 4 characters
    std::optional<QString> material; // nullopt: the model keeps no material
};

struct LoadedFile {
    std::optional<QString> datum; // the last date line, whole
    std::vector<LoadedReading> readings;
    int rowsRead = 0;             // reading rows in the file, also those beyond the limit
};

// The project lines, the caption, statistics and limit lines are skipped.
// A reading row is taken by its columns: time 1-8, number after the first
// blank, value 21-31 (decimal comma or point), unit 33-36, material from 38.
LoadedFile readMeasurementFile(const QStringList& lines, const QString& materialart, int limit);

// The file a chosen name stands for: ".mes" is added unless the name holds it.
QString measurementFilePath(const QString& chosen);

} // namespace kivo
