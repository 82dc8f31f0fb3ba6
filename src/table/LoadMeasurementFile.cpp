#include "table/LoadMeasurementFile.h"

#include "shared/Cp1252.h"
#include "settings/LineReader.h"

#include <QFile>

namespace kivo {

namespace {

// A reading row up to the end of its unit: the time (8), six blanks, the
// number (5), a blank, the value (11), a blank and the unit (4).
constexpr qsizetype kRowUpToUnit = 36;

// The encoding is one for the whole file, so it is told before the first
// line is decoded. A file the program wrote settles it at its first "µ".
std::optional<EncodingSniffer> sniffEncoding(QFile& file)
{
    constexpr qint64 kBlock = 64 * 1024;
    EncodingSniffer sniffer;
    QByteArray block(kBlock, Qt::Uninitialized);
    while (!sniffer.settled()) {
        const qint64 got = file.read(block.data(), kBlock);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        sniffer.feed(QByteArrayView(block.constData(), got));
    }
    return sniffer;
}

} // namespace

std::optional<LoadedFile> loadMeasurementFile(const QString& path, const QString& materialart, int limit,
                                              FileError* error)
{
    if (notARegularFile(path, error)) return std::nullopt;
    QFile file(path);
    if (!openForReading(file, error)) return std::nullopt;
    const std::optional<EncodingSniffer> sniffer = sniffEncoding(file);
    if (!sniffer || !file.seek(sniffer->markLength())) {
        if (error) error->reason = describeFileError(path, file.errorString());
        return std::nullopt;
    }
    const TextEncoding encoding = sniffer->encoding();

    MeasurementFileReader reader(materialart, limit);
    LineReader lines(file);
    QByteArray line;
    bool lastRowCut = false;
    while (lines.next(line)) {
        // A last row without its line end that stops before its unit column
        // is what is left of a file cut short: its value may be cut too.
        // A whole row without a final line end (a file edited by hand) counts.
        if (lines.lastLineUnterminated() && lineKind(QByteArrayView(line)) == LineKind::Reading
            && decodeAs(line, encoding).size() < kRowUpToUnit) {
            lastRowCut = true;
            break;
        }
        if (reader.full()) {
            // Past the limit only the count of the rows is wanted, and a
            // later date line; nothing else is decoded.
            const LineKind kind = lineKind(QByteArrayView(line));
            if (kind == LineKind::Reading) reader.countRow();
            if (kind != LineKind::Date) continue;
        }
        reader.add(decodeAs(line, encoding), !lines.lastLineCut());
    }
    if (lines.failed()) {
        if (error) error->reason = describeFileError(path, file.errorString());
        return std::nullopt;
    }
    LoadedFile result = reader.result();
    result.lastRowCut = lastRowCut;
    return result;
}

bool isMeasurementFileName(const QString& path) { return path.endsWith(QStringLiteral(".mes"), Qt::CaseInsensitive); }

} // namespace kivo
