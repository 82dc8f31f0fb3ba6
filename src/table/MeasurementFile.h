#pragma once
// Reading a measurement file (*.mes) back: the report of a table, of which
// the table date and the reading rows are taken; statistics and limits are
// recomputed by the program.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
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
    int rowsRead = 0;             // reading rows taken, and those beyond the limit
    int rowsRefused = 0;          // rows that looked like readings but were none; not taken
    bool lastRowCut = false;      // the file ended inside its last row's value or unit; the row was not taken
};

// What a line of the body is: a comment starts with "#"; the first "." of a
// date line and the first ":" of a reading row are its third character.
enum class LineKind { Comment, Date, Reading, Other };
LineKind lineKind(QStringView line);
// The same on the bytes of a line, for counting the rows past the limit
// without decoding them; it agrees with the text wherever the first two
// characters are plain ASCII, as in every row the program writes.
LineKind lineKind(QByteArrayView line);

// A reading row taken by its columns: time 1-8, number after the first
// blank, value 21-31 (decimal comma or point), unit 33-36, material from
// 38. A row is no reading, and nullopt, when its number is not a whole
// number the table keeps (16 bits), its value not a finite number in its
// column, or both are 0 (such a slot would end the table).
std::optional<LoadedReading> readReadingRow(const QString& line, const QString& materialart);

// The reader, fed the lines of a file in their order. The project lines,
// the caption, statistics and limit lines are skipped; rows that are no
// readings are counted and left out.
class MeasurementFileReader {
public:
    MeasurementFileReader(QString materialart, int limit);

    // `whole` is false for a line cut at the length a reader keeps: a
    // reading row of it is refused.
    void add(const QString& line, bool whole = true);
    // True once `limit` readings are kept: further rows are only counted,
    // and a caller may hand them to countRow undecoded.
    bool full() const;
    void countRow() { ++file.rowsRead; }
    const LoadedFile& result() const { return file; }

private:
    QString materialart;
    int limit;
    bool inLeadingLines = true;
    LoadedFile file;
};

// All lines of a file at once.
LoadedFile readMeasurementFile(const QStringList& lines, const QString& materialart, int limit);

// The file a chosen name stands for: ".mes" is added unless the name holds it.
QString measurementFilePath(const QString& chosen);

} // namespace kivo
