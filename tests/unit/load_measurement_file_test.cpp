// Measurement files loaded from disk a line at a time: the same readings as
// the reader takes from the whole text, in either encoding, and the rows
// past the limit counted but not kept.

#include "QtPrinters.h"
#include "session/ProgramState.h"
#include "shared/Cp1252.h"
#include "settings/LineReader.h"
#include "settings/TextFile.h"
#include "table/LoadMeasurementFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kivo;

namespace {

QString u8(const char* text) { return QString::fromUtf8(text); }

QString row(int nr, const char* value, const char* material = " Fe")
{
    return u8("14:05:01      ") + QString::number(nr).rightJustified(5) + u' ' + u8(value).rightJustified(11)
           + u8(" µm   ") + u8(material);
}

// A saved report: project lines, caption, statistics and the table.
QStringList report(int rows)
{
    QStringList lines = {u8("#  07.12.26 14:30"), u8("#  Kunde Werft Nord"), u8(""), u8("FE-Speicher"), u8(""),
                         u8("Statistik:"), u8(""), u8("Std.Abweichung          1,0 µm  "), u8(""),
                         u8("07.12.2026       Nr.      Messwert"), u8("")};
    for (int i = 1; i <= rows; ++i) lines << row(i, i % 2 ? "12,3" : "-0,5");
    lines << u8("");
    return lines;
}

void expectSame(const LoadedFile& loaded, const LoadedFile& expected)
{
    EXPECT_EQ(loaded.datum, expected.datum);
    EXPECT_EQ(loaded.rowsRead, expected.rowsRead);
    ASSERT_EQ(loaded.readings.size(), expected.readings.size());
    for (size_t i = 0; i < loaded.readings.size(); ++i) {
        const LoadedReading& a = loaded.readings[i];
        const LoadedReading& b = expected.readings[i];
        EXPECT_EQ(a.zeit, b.zeit) << i;
        EXPECT_EQ(a.nr, b.nr) << i;
        EXPECT_EQ(a.wert, b.wert) << i;
        EXPECT_EQ(a.einheit, b.einheit) << i;
        EXPECT_EQ(a.material, b.material) << i;
    }
}

class LoadMeasurementFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(LoadMeasurementFileTest, RowsPastTheLimitAreCountedNotKept)
{
    QStringList lines = report(kMaxReadings + 2);
    // Past the limit: a commented row, a later date line (which counts, as
    // everywhere in a file), and one more row.
    lines << u8("#4:05:01      9999        99,9 µm    Fe") << u8("08.12.2026       No.      Value") << row(1, "1,0");
    const QString path = write(u8("long.mes"), encodeCp1252(lines.join(u8("\r\n")) + u8("\r\n")));
    const std::optional<LoadedFile> loaded = loadMeasurementFile(path, u8("0"), kMaxReadings);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->rowsRead, kMaxReadings + 3);
    ASSERT_EQ(int(loaded->readings.size()), kMaxReadings);
    EXPECT_EQ(loaded->readings.back().nr, kMaxReadings);
    EXPECT_EQ(loaded->datum, u8("08.12.2026       No.      Value"));
    expectSame(*loaded, readMeasurementFile(lines, u8("0"), kMaxReadings));
}

// The encoding is the whole file's: UTF-8 with or without the mark, but one
// byte that is no UTF-8, far past the part read first and past the limit,
// makes every line Windows-1252; a UTF-8 "µ" cut by the edge of that part
// is still UTF-8.
TEST_F(LoadMeasurementFileTest, OneEncodingForTheWholeFile)
{
    const QByteArray utf8 = report(kMaxReadings + 1).join(u8("\r\n")).toUtf8();
    for (const QByteArray& bytes : {utf8, "\xEF\xBB\xBF" + utf8}) {
        const std::optional<LoadedFile> file = loadMeasurementFile(write(u8("utf8.mes"), bytes), u8("1"), kMaxReadings);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->readings.front().einheit, u8("µm  "));
        EXPECT_EQ(file->readings.front().material, u8(" Fe"));
    }
    const std::optional<LoadedFile> mixed =
        loadMeasurementFile(write(u8("mixed.mes"), utf8 + "\r\n# \xB5m\r\n"), u8("1"), kMaxReadings);
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->readings.front().einheit, u8("Âµm "));

    const QByteArray straddling = "#" + QByteArray(65534, 'x') + "\xC2\xB5\r\n" + utf8;
    ASSERT_EQ(straddling.indexOf("\xC2\xB5"), 65535);
    const std::optional<LoadedFile> cut = loadMeasurementFile(write(u8("cut.mes"), straddling), u8("1"), kMaxReadings);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->readings.front().einheit, u8("µm  "));
    EXPECT_EQ(cut->rowsRead, kMaxReadings + 1);
}

// Lines read a block at a time split as the whole text splits, also where a
// CR LF or a long line crosses the edge of a block.
TEST(LineReader, SplitsAsTheWholeTextAcrossBlocks)
{
    const char* ends[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
    QByteArray bytes;
    for (int i = 0; bytes.size() < 300'000; ++i) {
        bytes += QByteArray((i * 7919) % 251, char('a' + i % 26));
        bytes += ends[i % 5];
    }
    bytes += "last line without an end";
    for (qsizetype cut : {qsizetype(65535), qsizetype(65536)}) {
        // A CR as the last byte of a block and its LF as the first of the next.
        QByteArray shifted = bytes;
        shifted.insert(cut - 1, "\r\n");
        QBuffer buffer(&shifted);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        LineReader reader(buffer);
        QStringList lines;
        QByteArray line;
        while (reader.next(line)) lines << QString::fromLatin1(line);
        EXPECT_FALSE(reader.failed());
        EXPECT_EQ(lines, splitLines(QString::fromLatin1(shifted))) << cut;
    }
    // A line longer than the reader keeps is cut; the next one is whole.
    QByteArray longLine = QByteArray(100'000, 'x') + "\r\nnext";
    QBuffer buffer(&longLine);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    LineReader reader(buffer, 1000);
    QByteArray line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, QByteArray(1000, 'x'));
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "next");
    EXPECT_FALSE(reader.next(line));
}

} // namespace

// Files that are not what they should be: empty, one line of a megabyte, a
// hundred megabytes of rows, cut in the middle of a row. Each is read to
// its end in bounded memory, and a row cut short is no reading.
TEST_F(LoadMeasurementFileTest, BadFilesAreReadWithoutHarm)
{
    const QString empty = write("empty.mes", {});
    const std::optional<LoadedFile> none = loadMeasurementFile(empty, "1", 5000);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->readings.empty());

    QByteArray longLine = encodeCp1252(report(2).join("\r\n"));
    longLine.insert(0, QByteArray(1 << 20, '7') + "\r\n");
    const std::optional<LoadedFile> withLongLine = loadMeasurementFile(write("long.mes", longLine), "1", 5000);
    ASSERT_TRUE(withLongLine.has_value());
    EXPECT_EQ(withLongLine->readings.size(), 2u);

    // The file ends inside its second row: "-0,5" arrives as "-0".
    QByteArray cut = encodeCp1252(report(3).mid(0, 13).join("\r\n"));
    cut.chop(11);
    const std::optional<LoadedFile> cutShort = loadMeasurementFile(write("cut.mes", cut), "1", 5000);
    ASSERT_TRUE(cutShort.has_value());
    EXPECT_EQ(cutShort->readings.size(), 1u) << "the cut row was taken as " << cutShort->readings.back().wert;
    EXPECT_TRUE(cutShort->lastRowCut);
    // A whole last row without a final line end, as a hand may leave it, counts.
    const QByteArray whole = encodeCp1252(report(3).mid(0, 13).join("\r\n"));
    const std::optional<LoadedFile> edited = loadMeasurementFile(write("edited.mes", whole), "1", 5000);
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->readings.size(), 2u);
    EXPECT_FALSE(edited->lastRowCut);

    QByteArray big = encodeCp1252(report(0).join("\r\n"));
    const QByteArray oneRow = encodeCp1252(row(1, "12,3") + u8("\r\n"));
    big.reserve(100 << 20);
    while (big.size() < (100 << 20)) big += oneRow;
    const std::optional<LoadedFile> huge = loadMeasurementFile(write("big.mes", big), "1", 5000);
    ASSERT_TRUE(huge.has_value());
    EXPECT_EQ(huge->readings.size(), 5000u);
    EXPECT_GT(huge->rowsRead, 2'000'000);
}

// Only a regular file is read: a pipe would wait for its writer, and the
// zero device never ends. Each is refused at once, naming the file.
TEST_F(LoadMeasurementFileTest, OnlyARegularFileIsRead)
{
    const QString fifo = dir.filePath("pipe.mes");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath("zero.mes");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    const QString folder = dir.filePath("folder.mes");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifoLink = dir.filePath("link to pipe.mes");
    ASSERT_TRUE(QFile::link(fifo, fifoLink));
    for (const QString& path : {fifo, zero, folder, fifoLink}) {
        SCOPED_TRACE(path.toStdString());
        FileError error;
        EXPECT_FALSE(loadMeasurementFile(path, "1", kMaxReadings, &error).has_value());
        EXPECT_TRUE(error.notAFile);
        EXPECT_EQ(fileErrorText(error, true), u8("keine gewöhnliche Datei (") + path + u')');
        EXPECT_EQ(fileErrorText(error, false), u8("not a regular file (") + path + u')');
    }
    // A link to a regular file is read as the file.
    const QString real = write("real.mes", encodeCp1252(report(2).join("\r\n")));
    const QString link = dir.filePath("link.mes");
    ASSERT_TRUE(QFile::link(real, link));
    const std::optional<LoadedFile> linked = loadMeasurementFile(link, "1", kMaxReadings);
    ASSERT_TRUE(linked.has_value());
    EXPECT_EQ(linked->readings.size(), 2u);
}

// A reading row longer than a line the reader keeps lost its end: it is
// refused, and the rows around it are taken.
TEST_F(LoadMeasurementFileTest, ARowCutAtTheLineBoundIsRefused)
{
    QStringList lines = report(2);
    lines.insert(lines.size() - 2, row(7, "12,3") + QString(70'000, u'x'));
    const std::optional<LoadedFile> loaded =
        loadMeasurementFile(write("long row.mes", encodeCp1252(lines.join("\r\n"))), "1", kMaxReadings);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->rowsRefused, 1);
    ASSERT_EQ(loaded->readings.size(), 2u);
    EXPECT_EQ(loaded->readings[0].nr, 1);
    EXPECT_EQ(loaded->readings[1].nr, 2);
}

// Files without a reading of their own: random bytes, a lone "ab:cd" row, one line
// of 20 MB, a first row 0 / 0,0. None yields a reading that is not in the
// file, and the row after the zero row is taken.
TEST_F(LoadMeasurementFileTest, JunkGivesNoReadingAndAZeroRowNoGap)
{
    QByteArray random(100 * 1024, Qt::Uninitialized);
    quint32 seed = 22;
    for (char& c : random) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    // Enough rows with the colon in their place that some are tried.
    for (qsizetype i = 0; i + 5 < random.size(); i += 997) random.replace(i, 5, "\r\n12:");
    const QByteArray heading = "Speicher\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n";
    const QByteArray zeroFirst = heading + "10:00:01          0         0,0 \xB5m   \r\n"
                                 + "10:00:02          2        12,5 \xB5m   \r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        size_t readings;
    } cases[] = {
        {"random.mes", random, 0},
        {"ab-cd.mes", heading + "ab:cd\r\n", 0},
        {"ab-cd alone.mes", "ab:cd", 0},
        {"one line.mes", QByteArray(20 << 20, '7'), 0},
        {"one long row.mes", heading + "12:" + QByteArray(20 << 20, '7'), 0},
        {"one row line.mes", heading + "10:00:01" + QByteArray(20 << 20, ' ') + "1 12,5", 0},
        {"zero first.mes", zeroFirst, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<LoadedFile> loaded = loadMeasurementFile(write(c.name, c.bytes), "1", kMaxReadings);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(loaded->readings.size(), c.readings);
        for (const LoadedReading& r : loaded->readings) EXPECT_FALSE(r.nr == 0 && r.wert == 0);
    }
}

