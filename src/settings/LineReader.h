#pragma once
// The lines of a file read a block at a time, so that a large file never
// sits in memory whole.

#include <QByteArray>

class QIODevice;

namespace kivo {

class LineReader {
public:
    // A line longer than `maxLineLength` bytes keeps its start; the rest of
    // it up to its line end is passed over.
    explicit LineReader(QIODevice& device, qsizetype maxLineLength = 64 * 1024);

    // The next line without its line end (CR LF, LF or CR, as splitLines
    // splits); false at the end of the device or when it could not be read.
    // A last line without a line end still counts.
    bool next(QByteArray& line);
    bool failed() const { return readError; }
    // The line last given had no line end: the file ends in its middle.
    bool lastLineUnterminated() const { return unterminated; }
    // The line last given was longer than `maxLineLength`: only its start was given.
    bool lastLineCut() const { return cut; }

private:
    bool fill();

    QIODevice& device;
    const qsizetype maxLineLength;
    QByteArray buffer;
    qsizetype pos = 0;
    bool afterCr = false; // a CR ended the last line: a LF right after it belongs to that line end
    bool readError = false;
    bool unterminated = false;
    bool cut = false;
};

} // namespace kivo
