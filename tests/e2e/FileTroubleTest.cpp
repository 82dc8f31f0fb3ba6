// Measurement files that cannot be written or read: the operator is told
// the path and the system's reason, the log keeps the same line, and a
// failed save leaves no part of a file behind.

#include "MeasurementText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

QString savedPrefix(const QString& path) { return u"Die Datei "_s + path + u" konnte nicht gespeichert werden: "_s; }

QString readPrefix(const QString& path) { return u"Die Datei "_s + path + u" konnte nicht gelesen werden: "_s; }

// One message, made of `prefix` and a reason; returns the message.
QString onlyMessage(const Dump& d, const QString& prefix)
{
    const QStringList texts = messageTexts(d);
    EXPECT_EQ(texts.size(), 1) << texts.join(u'|').toStdString();
    if (texts.isEmpty()) return {};
    EXPECT_TRUE(texts[0].startsWith(prefix)) << texts[0].toStdString();
    EXPECT_GT(texts[0].size(), prefix.size()) << "no reason given";
    return texts[0];
}

// Saving into a folder that does not exist and cannot be made.
struct UnwritableFolder {
    const char* name;
    bool measurementFolderIsAFile; // else: a folder under the test's own that was never made
};

void PrintTo(const UnwritableFolder& c, std::ostream* os) { *os << c.name; }

class FilesUnwritableFolder : public testing::TestWithParam<UnwritableFolder> {};

TEST_P(FilesUnwritableFolder, SaveIsReportedAndWritesNothing)
{
    const UnwritableFolder& c = GetParam();
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const QByteArray inTheWay = "not a folder\r\n";
    if (c.measurementFolderIsAFile) DriveSession::writeFile(mes, inTheWay);
    const QString folder = c.measurementFolderIsAFile ? mes : bench.session.path(u"missing/folder"_s);
    // A cancelled dialog first: nothing happens.
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nclick cmdSave\n"_s + kUntilIdle + u"dump\n"_s
                                             + saveScript(folder + u"/x"_s));
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_TRUE(result.dumps[1].messages().isEmpty());

    const Dump& d = result.dumps[2];
    const QString message = onlyMessage(d, savedPrefix(folder + u"/x.mes"_s));
    EXPECT_EQ(logLines(bench.session, kSivar).count(message), 1);
    if (c.measurementFolderIsAFile) {
        EXPECT_EQ(DriveSession::readFile(mes), inTheWay);
    } else {
        EXPECT_FALSE(QFileInfo::exists(bench.session.path(u"missing"_s)));
        EXPECT_TRUE(folderEntries(mes).isEmpty());
    }
    // The table stays as it was.
    EXPECT_EQ(d.gridRows(), result.dumps[0].gridRows());
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (12)"_s);
}

INSTANTIATE_TEST_SUITE_P(, FilesUnwritableFolder,
                         testing::Values(UnwritableFolder{"MissingFolder", false},
                                         UnwritableFolder{"MeasurementFolderIsAFile", true}),
                         [](const testing::TestParamInfo<UnwritableFolder>& info) { return std::string(info.param.name); });

TEST(Files, SaveThatFailsPartWayKeepsTheEarlierFile)
{
    DownloadBench bench("RKS", PortType::Cable);
    // As on a full disk: the report of 100 readings is past the size the
    // program may write, its settings files and its log are not.
    QList<QByteArray> lines;
    for (int n = 1; n <= 100; ++n) lines << recordLine(n, n % 2 ? "48.2" : "51.7", "µm");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    bench.session.limitFileSize(3000);
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const QByteArray earlier = "Speicher\r\n\r\nStatistik:  mit Absolutwerten\r\n\r\n\r\n";
    DriveSession::writeFile(mes + u"/x.mes"_s, earlier);

    const DriveResult result = bench.connect(kUntilIdle + saveScript(mes + u"/x.mes"_s));
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(result.dumps[0].text(u"optFE"_s), u"Speicher (100)"_s);
    const QString message = onlyMessage(result.dumps[0], savedPrefix(mes + u"/x.mes"_s));
    EXPECT_EQ(logLines(bench.session, kSivar).count(message), 1);
    EXPECT_EQ(DriveSession::readFile(mes + u"/x.mes"_s), earlier);
    EXPECT_EQ(folderEntries(mes), QStringList({u"x.mes"_s}));
}

TEST(Files, FileThatCannotBeReadIsReported)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString folder = bench.session.path(u"folder.mes"_s);
    const QString missing = bench.session.path(u"missing.mes"_s);
    QDir().mkpath(folder);
    const DriveResult result = bench.connect(kUntilIdle + openScript(folder) + openScript(missing));
    ASSERT_EQ(result.dumps.size(), 2);
    const QStringList log = logLines(bench.session, kSivar);
    EXPECT_EQ(log.count(onlyMessage(result.dumps[0], readPrefix(folder))), 1);
    EXPECT_EQ(log.count(onlyMessage(result.dumps[1], readPrefix(missing))), 1);
}

QString noReadings(const QString& path)
{
    return u"Keine Messwerte in "_s + QDir::toNativeSeparators(path) + u" gefunden"_s;
}

// A file from which no reading can be taken says so and leaves the table on
// show as it was: junk, a report in UTF-16, a report without rows, and a
// file that cannot be opened.
TEST(Files, NothingReadIsReportedAndKeepsTheTable)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk += char(i * 37 % 256 == ':' ? ';' : i * 37 % 256);
    const QString report = u"Speicher\r\n\r\nStatistik:\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n"_s;
    const QString row = u"10:00:01          1        12,5 µm   \r\n\r\n"_s;
    const QString rows = report + row;
    const QString paths[] = {bench.session.path(u"junk.mes"_s), bench.session.path(u"utf16.mes"_s),
                             bench.session.path(u"no rows.mes"_s)};
    DriveSession::writeFile(paths[0], junk);
    DriveSession::writeFile(paths[1], QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(rows.utf16()),
                                                                          rows.size() * 2));
    DriveSession::writeFile(paths[2], toCp1252(report));
    const QString missing = bench.session.path(u"missing.mes"_s);

    QString script = kUntilIdle + u"dump\n"_s;
    for (const QString& path : paths) script += openScript(path);
    script += openScript(missing) + u"click English\nwait-ms 300\ndump\n"_s + openScript(paths[0]);
    const DriveResult result = bench.connect(script);
    ASSERT_EQ(result.dumps.size(), 7);
    ASSERT_EQ(result.dumps[0].gridRows().size(), 13);
    const QString english = u"No readings found in "_s + QDir::toNativeSeparators(paths[0]);
    // Each opening with the dump before it and its message.
    const std::tuple<int, int, QString> opened[] = {
        {1, 0, noReadings(paths[0])}, {2, 0, noReadings(paths[1])}, {3, 0, noReadings(paths[2])},
        {4, 0, readPrefix(missing)},  {6, 5, english},
    };
    const QStringList log = logLines(bench.session, kSivar);
    for (const auto& [after, before, text] : opened) {
        SCOPED_TRACE(text.toStdString());
        const Dump& d = result.dumps[after];
        const QStringList texts = messageTexts(d);
        ASSERT_EQ(texts.size(), 1) << texts.join(u'|').toStdString();
        if (after == 4)
            EXPECT_TRUE(texts[0].startsWith(text)) << texts[0].toStdString();
        else
            EXPECT_EQ(texts[0], text);
        EXPECT_EQ(log.count(texts[0]), 1);
        EXPECT_EQ(d.gridRows(), result.dumps[before].gridRows());
        EXPECT_EQ(d.list(u"lstStat"_s), result.dumps[before].list(u"lstStat"_s));
        EXPECT_EQ(d.text(u"optFE"_s), result.dumps[before].text(u"optFE"_s));
    }
    EXPECT_EQ(result.dumps[0].text(u"optFE"_s), u"Speicher (12)"_s);
}

// Files that are not what a measurement file should be: empty, one line of
// a megabyte, cut in the middle of a row, a hundred megabytes. Each says
// what is wrong and names the file; what was taken is whole.
TEST(Files, BadFilesSayWhatIsWrong)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QByteArray heading = "Speicher\r\n\r\nStatistik:\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n";
    auto rowBytes = [](int n, const QString& value) { return toCp1252(fileRow(u"10:00:01"_s, n, value, u"µm"_s)) + "\r\n"; };
    const QString empty = bench.session.path(u"empty.mes"_s);
    const QString longLine = bench.session.path(u"long line.mes"_s);
    const QString cut = bench.session.path(u"cut.mes"_s);
    const QString big = bench.session.path(u"big.mes"_s);
    DriveSession::writeFile(empty, {});
    DriveSession::writeFile(longLine, QByteArray(1 << 20, '1') + "\r\n");
    // The third row ends after "12": its ",5" never came.
    QByteArray cutBytes = heading + rowBytes(1, u"10,5"_s) + rowBytes(2, u"11,5"_s) + rowBytes(3, u"12,5"_s);
    cutBytes.chop(2 + 2 + 5); // line end, unit padding and material, ",5"
    DriveSession::writeFile(cut, cutBytes);
    QByteArray bigBytes = heading;
    int bigRows = 0;
    const QByteArray oneRow = rowBytes(1, u"1,5"_s);
    bigBytes.reserve(100 << 20);
    for (; bigBytes.size() < (100 << 20); ++bigRows) bigBytes += oneRow;
    DriveSession::writeFile(big, bigBytes);
    bigBytes = QByteArray();

    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s + openScript(empty) + openScript(longLine)
                                                 + openScript(cut) + openScript(big),
                                             {}, 60000);
    ASSERT_EQ(result.dumps.size(), 5);
    const Dump& before = result.dumps[0];
    for (int i : {1, 2}) {
        const QString path = i == 1 ? empty : longLine;
        EXPECT_EQ(messageTexts(result.dumps[i]), QStringList({noReadings(path)}));
        EXPECT_EQ(result.dumps[i].gridRows(), before.gridRows()) << "the table on show changed";
    }
    const Dump& afterCut = result.dumps[3];
    EXPECT_EQ(messageTexts(afterCut),
              QStringList({cut + u" endet mitten in einer Zeile; diese letzte Zeile wurde nicht geladen."_s}));
    const Grid cutRows = afterCut.gridRows();
    ASSERT_EQ(cutRows.size(), 3);
    EXPECT_EQ(cutRows[2][2], u"       11,5"_s);
    const Dump& afterBig = result.dumps[4];
    EXPECT_EQ(messageTexts(afterBig), QStringList({u"Nur die ersten 5000 von %1 Messwerten aus %2 wurden geladen"_s
                                                       .arg(bigRows)
                                                       .arg(big)}));
    EXPECT_EQ(afterBig.gridRows().size(), 5001);
}

// Files that yield no reading, however they look: random bytes, a lone
// "ab:cd" row, one line of 20 MB, a row cut at the line bound. The table
// of 12 unsaved readings stays as it was, and the file is named. A first
// row 0 / 0,0 is refused and the row after it is loaded.
TEST(Files, JunkLeavesTheTableAndAZeroRowIsRefused)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    QByteArray random(100 * 1024, Qt::Uninitialized);
    quint32 seed = 10;
    for (char& c : random) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    // Rows with the colon of a reading row in its place.
    for (qsizetype i = 0; i + 5 < random.size(); i += 997) random.replace(i, 5, "\r\n12:");
    const QByteArray heading = "Speicher\r\n\r\nStatistik:\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n";
    const QString junk[] = {bench.session.path(u"random.mes"_s), bench.session.path(u"ab-cd.mes"_s),
                            bench.session.path(u"one line.mes"_s), bench.session.path(u"long row.mes"_s)};
    DriveSession::writeFile(junk[0], random);
    DriveSession::writeFile(junk[1], heading + "ab:cd\r\n");
    DriveSession::writeFile(junk[2], "ab:" + QByteArray(20 << 20, '7'));
    DriveSession::writeFile(junk[3], heading + "10:00:01" + QByteArray(20 << 20, ' ') + "1 12,5 \xB5m\r\n");
    const QString zeroFirst = bench.session.path(u"zero first.mes"_s);
    DriveSession::writeFile(zeroFirst, heading + toCp1252(fileRow(u"10:00:01"_s, 0, u"0,0"_s, u"µm"_s)) + "\r\n"
                                           + toCp1252(fileRow(u"10:00:02"_s, 2, u"12,5"_s, u"µm"_s)) + "\r\n");

    QString script = kUntilIdle + u"dump\n"_s;
    for (const QString& path : junk) script += openScript(path);
    const DriveResult result = bench.connect(script + openScript(zeroFirst), {}, 40000);
    ASSERT_EQ(result.dumps.size(), 6);
    const Dump& before = result.dumps[0];
    ASSERT_EQ(before.text(u"optFE"_s), u"Speicher (12)"_s);
    const QStringList log = logLines(bench.session, kSivar);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(junk[i].toStdString());
        const Dump& d = result.dumps[i + 1];
        EXPECT_EQ(messageTexts(d), QStringList({noReadings(junk[i])}));
        EXPECT_EQ(log.count(noReadings(junk[i])), 1);
        EXPECT_EQ(d.gridRows(), before.gridRows());
        EXPECT_EQ(d.list(u"lstStat"_s), before.list(u"lstStat"_s));
        EXPECT_EQ(d.text(u"optFE"_s), before.text(u"optFE"_s));
    }
    const Dump& zero = result.dumps[5];
    const QString refused = u"1 Zeilen in "_s + zeroFirst + u" waren keine Messwerte und wurden nicht geladen"_s;
    EXPECT_EQ(messageTexts(zero), QStringList({refused}));
    EXPECT_EQ(log.count(refused), 1);
    EXPECT_EQ(zero.gridRows().mid(1), Grid({{u"10:00:02"_s, u"      2"_s, u"       12,5"_s, kUmNoLabel}}));
    EXPECT_EQ(zero.text(u"optFE"_s), u"zero first.mes (1)"_s);
}

// A pipe, a link to the zero device and a folder are no measurement files:
// each is named at once and the table stays; the window goes on answering.
// Nor is a file saved in a pipe's place.
TEST(Files, OnlyRegularFilesAreOpened)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString fifo = bench.session.path(u"pipe.mes"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = bench.session.path(u"zero.mes"_s);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zero));
    const QString folder = bench.session.path(u"folder.mes"_s);
    QDir().mkpath(folder);
    const QString good = bench.session.path(u"good.mes"_s);
    DriveSession::writeFile(good, "Speicher\r\n\r\n" + toCp1252(fileRow(u"10:00:02"_s, 1, u"12,5"_s, u"µm"_s)) + "\r\n");

    // Saved to through a link, the pipe stays a pipe.
    const QString link = bench.session.path(u"link to pipe.mes"_s);
    ASSERT_TRUE(QFile::link(fifo, link));

    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s + openScript(fifo) + openScript(zero)
                                             + u"click English\nwait-ms 300\n"_s + openScript(folder) + openScript(good)
                                             + saveScript(link));
    ASSERT_EQ(result.dumps.size(), 6);
    const QStringList log = logLines(bench.session, kSivar);
    const std::pair<QString, QString> refused[] = {
        {fifo, u"Die Datei %1 konnte nicht gelesen werden: keine gewöhnliche Datei (%1)"_s.arg(fifo)},
        {zero, u"Die Datei %1 konnte nicht gelesen werden: keine gewöhnliche Datei (%1)"_s.arg(zero)},
        {folder, u"The file %1 could not be read: not a regular file (%1)"_s.arg(folder)},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(refused[i].first.toStdString());
        const Dump& d = result.dumps[i + 1];
        EXPECT_EQ(messageTexts(d), QStringList({refused[i].second}));
        EXPECT_EQ(log.count(refused[i].second), 1);
        EXPECT_EQ(d.gridRows().mid(1), result.dumps[0].gridRows().mid(1));
    }
    EXPECT_EQ(result.dumps[4].gridRows().size(), 2) << "the file after them was not opened";
    const QString notSaved = u"The file %1 could not be saved: not a regular file (%1)"_s.arg(link);
    EXPECT_EQ(messageTexts(result.dumps[5]), QStringList({notSaved}));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "the pipe was replaced";
}

} // namespace
