// Online readings. "E" gauges (ZORMA-PROBA) send fixed records after the
// operator chose Online: each is shown, counted and saved to Online.mes at
// once. "V" gauges (DORNA) send lines from Connect on, which Stop drops
// and a line that is no reading ends.

#include "MeasurementText.h"

#include <QDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kZorma = u"ZORMA-PROBA RIDIVORI"_s;
const QString kDorna = u"DORNA RIDIVORI"_s;

QString looks(int count, int everyMs)
{
    QString script;
    for (int i = 0; i < count; ++i) script += u"wait-ms %1\ndump\n"_s.arg(everyMs);
    return script;
}

// One online reading of a ZORMA-PROBA: the record as sent, and what the
// program makes of it (value in the de_DE format, unit cell of the grid,
// material label as stored, status box).
struct OnlineReading {
    QByteArray record;
    QString value;
    QString unitCell;
    QString material;
    QString status;
};

// The gauge's own numbers (41...) are not used online: the program counts.
const QList<OnlineReading> kZormaReadings = {
    {recordLine(41, "126.3", "ym", "Fe"), u"126,3"_s, u"µm    Fe"_s, u"Fe"_s, u"     126.3 µm  "_s},
    {recordLine(42, "0.131", "mm", "NFe"), u"131,0"_s, u"µm   NFe"_s, u"NFe"_s, u"     0.131 mm  "_s},
    {recordLine(43, "87.2", "µm", "NFe"), u"87,2"_s, u"µm   NFe"_s, u"NFe"_s, u"      87.2 µm  "_s},
    {recordLine(44, "119.7", "ym", " Fe"), u"119,7"_s, u"µm    Fe"_s, u"Fe"_s, u"     119.7 µm  "_s},
    {recordLine(45, "90.5", "µm", "NFe"), u"90,5"_s, u"µm   NFe"_s, u"NFe"_s, u"      90.5 µm  "_s},
};

// Online.mes as it must read when the grid of `d` shows the first readings
// of `readings` (the times are those of the grid).
QString onlineFile(const Dump& d, const QList<OnlineReading>& readings, qsizetype firstNumber = 1)
{
    const Grid rows = d.gridRows();
    QStringList fileRows;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const OnlineReading& r = readings[i - 1];
        fileRows << fileRow(rows[i][0], int(firstNumber + i - 1), r.value, u"µm"_s, r.material);
    }
    return measurementFile(u"Online"_s, u"Statistik:"_s, d.list(u"lstStat"_s), rows[0][0], fileRows);
}

// A ZORMA-PROBA that holds one reading and sends online records when told.
RawGauge& startZorma(DownloadBench& bench)
{
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(), {"ZR-1 ZORMA-PROBA\r\nVD: 3.41\r\nM1:1\r\n\x04"});
    gauge.answer(kMemory1.toLatin1(),
                 {"ZR-1 ZORMA-PROBA M1 1\r\n\x02\r\n" + recordLine(1, "100.0", "µm", "Fe") + "\r\n\x04"});
    return gauge;
}

QByteArray onWire(const QList<OnlineReading>& readings)
{
    QByteArray bytes;
    for (const OnlineReading& r : readings) bytes += r.record + "\r\n";
    return bytes;
}

const QString kOnline = u"click optOnline\n"_s + kUntilIdle;

// --- "E" records ----------------------------------------------------------------

TEST(OnlineE, ReadingsAppearOneByOneAndAreSavedEachTime)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    const QList<OnlineReading> readings = kZormaReadings.mid(0, 4);
    QList<QByteArray> records;
    for (const OnlineReading& r : readings) records << r.record;
    const QString online = bench.gaugeFile(u"online.txt"_s, records);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"ZR"_s, u"--online"_s, online, u"--online-style"_s, u"E"_s,
                                           u"--interval-ms"_s, u"500"_s}))
                    .ready());
    const QString onlineMes = bench.session.messDataPath(kBrand, kZorma) + u"/Online.mes"_s;
    // Online.mes as it was when each look came back.
    std::map<int, QByteArray> saved;
    const DriveResult result = bench.connect(kUntilIdle + u"click optOnline\n"_s + looks(25, 100) + looks(1, 600),
                                             [&](int index) { saved[index] = DriveSession::readFile(onlineMes); });
    ASSERT_EQ(result.dumps.size(), 26);

    std::set<qsizetype> counts;
    std::set<qsizetype> savedWhole;
    qsizetype previous = 0;
    for (qsizetype i = 0; i < result.dumps.size(); ++i) {
        const Dump& d = result.dumps[i];
        SCOPED_TRACE("look " + std::to_string(i));
        EXPECT_TRUE(d.messages().isEmpty());
        const qsizetype count = d.gridRows().size() - 1;
        ASSERT_GE(count, previous);
        EXPECT_LE(count, previous + 1) << "two readings came at once";
        previous = count;
        counts.insert(count);
        if (count == 0) continue;
        // The status box shows the value and unit columns of the last record.
        EXPECT_EQ(d.text(u"txtSpeicher"_s), readings[count - 1].status);
        if (fromCp1252(saved[int(i)]) == onlineFile(d, readings)) savedWhole.insert(count);
    }
    EXPECT_EQ(counts, std::set<qsizetype>({0, 1, 2, 3, 4}));
    // Saved after every reading, not only at the end.
    EXPECT_EQ(savedWhole, std::set<qsizetype>({1, 2, 3, 4}));

    const Dump& last = result.dumps.last();
    Grid expected{germanHeading()};
    for (qsizetype i = 0; i < readings.size(); ++i)
        expected << readingRow(int(i + 1), readings[i].value, readings[i].unitCell);
    EXPECT_EQ(bench.grid(last), expected);
    EXPECT_EQ(last.text(u"optOnline"_s), u"Online (4)"_s);
    EXPECT_TRUE(last.checked(u"optOnline"_s));
    const QByteArray file = DriveSession::readFile(onlineMes);
    EXPECT_EQ(fromCp1252(file), onlineFile(last, readings));
    EXPECT_TRUE(onlyCrLfLineEnds(file));
    // Beside the folder of the measurement files, not in it.
    EXPECT_FALSE(folderEntries(bench.session.messDataPath(kBrand, kZorma) + u"/mes"_s).contains(u"Online.mes"_s));
}

TEST(OnlineE, RecordsArrivingTogetherAreEachTaken)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startZorma(bench);
    ASSERT_TRUE(gauge.ready());
    const QList<OnlineReading>& readings = kZormaReadings;
    // Two records in one write, then three.
    const DriveResult result =
        bench.connect(kUntilIdle + kOnline + u"dump\n"_s + looks(2, 500), [&](int index) {
            if (index == 0) gauge.feed(onWire(readings.mid(0, 2)));
            if (index == 1) gauge.feed(onWire(readings.mid(2, 3)));
        });
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_EQ(bench.grid(result.dumps[0]), Grid({germanHeading()}));
    for (qsizetype look = 1; look <= 2; ++look) {
        SCOPED_TRACE("look " + std::to_string(look));
        const Dump& d = result.dumps[look];
        const qsizetype count = look == 1 ? 2 : 5;
        Grid expected{germanHeading()};
        for (qsizetype i = 0; i < count; ++i)
            expected << readingRow(int(i + 1), readings[i].value, readings[i].unitCell);
        EXPECT_EQ(bench.grid(d), expected);
        EXPECT_EQ(d.text(u"optOnline"_s), u"Online (%1)"_s.arg(count));
        EXPECT_EQ(d.text(u"txtSpeicher"_s), readings[count - 1].status);
        EXPECT_TRUE(d.messages().isEmpty());
    }
    EXPECT_EQ(fromCp1252(DriveSession::readFile(bench.session.messDataPath(kBrand, kZorma) + u"/Online.mes"_s)),
              onlineFile(result.dumps[2], readings));
}

TEST(OnlineE, RecordSplitOnTheWayIsTakenWhole)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startZorma(bench);
    ASSERT_TRUE(gauge.ready());
    const QList<OnlineReading>& readings = kZormaReadings;
    // The port hands over what has arrived, which may end inside a record:
    // 10 bytes of the first record, then its rest with 13 bytes of the
    // second, then the rest of the second. Each record counts once it is
    // whole, not when the next one comes.
    const QByteArray wire = onWire(readings.mid(0, 2));
    const DriveResult result =
        bench.connect(kUntilIdle + kOnline + u"dump\n"_s + looks(3, 400), [&](int index) {
            if (index == 0) gauge.feed(wire.left(10));
            if (index == 1) gauge.feed(wire.mid(10, 30));
            if (index == 2) gauge.feed(wire.mid(40));
        });
    ASSERT_EQ(result.dumps.size(), 4);
    for (qsizetype look = 1; look <= 3; ++look) {
        SCOPED_TRACE("look " + std::to_string(look));
        const Dump& d = result.dumps[look];
        Grid expected{germanHeading()};
        for (qsizetype i = 0; i + 1 < look; ++i)
            expected << readingRow(int(i + 1), readings[i].value, readings[i].unitCell);
        EXPECT_EQ(bench.grid(d), expected);
        if (look > 1) {
            EXPECT_EQ(d.text(u"txtSpeicher"_s), readings[look - 2].status);
        }
        EXPECT_TRUE(d.messages().isEmpty());
        EXPECT_TRUE(d.enabled(u"optOnline"_s));
    }
}

struct OpenedOnline {
    const char* name;
    QList<QByteArray> lines; // of the file, each ended by CR LF
    Grid loaded;             // the rows it gives
    // The heading cell, as opened and once a reading follows: the date the
    // file's date line begins with; today's date when the file has none.
    QString heading;
};

void PrintTo(const OpenedOnline& file, std::ostream* os) { *os << file.name; }

class OnlineEOpened : public testing::TestWithParam<OpenedOnline> {};

TEST_P(OnlineEOpened, NextReadingFollowsTheOpenedFile)
{
    const OpenedOnline& file = GetParam();
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startZorma(bench);
    ASSERT_TRUE(gauge.ready());
    const QString path = bench.gaugeFile(u"earlier.mes"_s, file.lines);
    const DriveResult result = bench.connect(kUntilIdle + kOnline + openScript(path) + looks(1, 500),
                                             [&](int index) {
                                                 if (index == 0) gauge.feed(onWire(kZormaReadings.mid(0, 1)));
                                             });
    ASSERT_EQ(result.dumps.size(), 2);
    // A file without readings is reported and leaves the (empty) online table.
    const QStringList messages =
        file.loaded.isEmpty() ? QStringList{u"Keine Messwerte in "_s + path + u" gefunden"_s} : QStringList{};
    EXPECT_EQ(messageTexts(result.dumps[0]), messages);
    EXPECT_TRUE(result.dumps[0].checked(u"optOnline"_s));
    EXPECT_EQ(result.dumps[0].gridRows().mid(1), file.loaded);
    QStringList heading = germanHeading();
    if (!file.heading.isEmpty()) heading[0] = file.heading;
    EXPECT_EQ(bench.grid(result.dumps[0]).first(), heading);

    const Dump& d = result.dumps[1];
    const int slot = int(file.loaded.size() + 1);
    Grid expected = Grid{heading} + file.loaded;
    expected << readingRow(slot, kZormaReadings[0].value, kZormaReadings[0].unitCell);
    Grid shown = d.gridRows();
    ASSERT_FALSE(shown.isEmpty());
    // Only the new reading carries the clock of the run.
    shown[0] = bench.grid(d)[0];
    if (shown.size() == expected.size()) shown.last() = bench.grid(d).last();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(d.text(u"optOnline"_s), u"Online (%1)"_s.arg(slot));
    EXPECT_TRUE(d.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    , OnlineEOpened,
    testing::Values(
        OpenedOnline{"EmptyFile", {}, {}, {}},
        OpenedOnline{"TwoReadings",
                     {"Online", "", "Statistik:", "", "", "", "01.02.2024       Nr.      Messwert", "",
                      toCp1252(fileRow(u"10:00:01"_s, 1, u"120,5"_s, u"µm"_s, u"Fe"_s)),
                      toCp1252(fileRow(u"10:00:02"_s, 2, u"88,0"_s, u"µm"_s, u"NFe"_s)), ""},
                     {{u"10:00:01"_s, u"      1"_s, u"      120,5"_s, u"µm    Fe"_s},
                      {u"10:00:02"_s, u"      2"_s, u"       88,0"_s, u"µm   NFe"_s}},
                     u"01.02.2024"_s}),
    [](const testing::TestParamInfo<OpenedOnline>& info) { return std::string(info.param.name); });

TEST(OnlineE, OnlineFileThatCannotBeWrittenIsReportedOnce)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startZorma(bench);
    ASSERT_TRUE(gauge.ready());
    // A folder where the file should be.
    const QString onlineMes = bench.session.messDataPath(kBrand, kZorma) + u"/Online.mes"_s;
    QDir().mkpath(onlineMes);
    const DriveResult result =
        bench.connect(kUntilIdle + kOnline + u"dump\n"_s + looks(3, 300), [&](int index) {
            if (index < 3) gauge.feed(onWire(kZormaReadings.mid(index, 1)));
        });
    ASSERT_EQ(result.dumps.size(), 4);
    QStringList shown;
    for (const Dump& d : result.dumps) shown << messageTexts(d);
    ASSERT_EQ(shown.size(), 1) << shown.join(u'|').toStdString();
    const QString prefix = u"Die Datei "_s + onlineMes + u" konnte nicht gespeichert werden: "_s;
    EXPECT_TRUE(shown[0].startsWith(prefix)) << shown[0].toStdString();
    EXPECT_GT(shown[0].size(), prefix.size());
    EXPECT_EQ(logLines(bench.session, kZorma).count(shown[0]), 1);
    // The readings are kept all the same.
    Grid expected{germanHeading()};
    for (int i = 0; i < 3; ++i) expected << readingRow(i + 1, kZormaReadings[i].value, kZormaReadings[i].unitCell);
    EXPECT_EQ(bench.grid(result.dumps.last()), expected);
    EXPECT_EQ(folderEntries(onlineMes), QStringList());
}

// --- "V" lines ------------------------------------------------------------------

// Line n of a DORNA: reading number n, the value n.000 mVs.
QList<QByteArray> dornaLines(int count)
{
    QList<QByteArray> lines;
    for (int n = 1; n <= count; ++n) lines << recordLine(n, QByteArray::number(n).append(".000").constData(), "mVs");
    return lines;
}

// The line a grid row came from, by its value.
int lineOf(const QStringList& row) { return int(row[2].trimmed().replace(u',', u'.').toDouble()); }

TEST(OnlineV, StopDropsLinesForGood)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    const QString online = bench.gaugeFile(u"online.txt"_s, dornaLines(16));
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s, u"--online"_s, online, u"--interval-ms"_s, u"250"_s}))
                    .ready());
    const DriveResult result = bench.connect(kUntilIdle + u"wait-ms 700\ndump\nclick cmdStop\ndump\nwait-ms 1000\n"
                                                          u"dump\nclick cmdStop\ndump\nwait-ms 1000\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 5);
    const Dump& running = result.dumps[0];
    const Dump& stopped = result.dumps[1];
    const Dump& paused = result.dumps[2];
    const Dump& continued = result.dumps[3];
    const Dump& last = result.dumps[4];
    EXPECT_EQ(running.text(u"cmdStop"_s), u"Stopp"_s);
    EXPECT_TRUE(running.visible(u"cmdStop"_s));
    EXPECT_EQ(stopped.text(u"cmdStop"_s), u"Weiter"_s);
    EXPECT_EQ(paused.text(u"cmdStop"_s), u"Weiter"_s);
    EXPECT_EQ(continued.text(u"cmdStop"_s), u"Stopp"_s);
    EXPECT_EQ(last.text(u"cmdStop"_s), u"Stopp"_s);

    const Grid before = stopped.gridRows();
    ASSERT_GE(before.size(), 2) << "no line before Stop";
    EXPECT_EQ(paused.gridRows(), before) << "a line was taken while stopped";
    const Grid after = last.gridRows();
    ASSERT_GT(after.size(), before.size()) << "no line after Continue";
    EXPECT_EQ(after.mid(0, before.size()), before);
    // The lines sent while stopped never come: the values jump, the running
    // numbers do not.
    const int lastBefore = lineOf(before.last());
    const int firstAfter = lineOf(after[before.size()]);
    EXPECT_GE(firstAfter, lastBefore + 3) << "lines sent while stopped were taken";
    for (qsizetype i = before.size(); i < after.size(); ++i) {
        EXPECT_EQ(lineOf(after[i]), firstAfter + int(i - before.size()));
        EXPECT_EQ(after[i][1].trimmed().toInt(), int(i));
    }
    for (const Dump& d : result.dumps) EXPECT_TRUE(d.messages().isEmpty());
}

TEST(OnlineV, ALineBeginningWithALetterStopsTheReadingsUntilOnlineIsChosenAgain)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    QList<QByteArray> lines = dornaLines(5);
    lines[2] = "Fehler 12";
    const QString online = bench.gaugeFile(u"online.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s, u"--online"_s, online, u"--interval-ms"_s, u"150"_s}))
                    .ready());
    const DriveResult result = bench.connect(kUntilIdle + looks(2, 800) + kOnline + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    const QString cell = u"mVs     "_s;
    for (const Dump& d : result.dumps.mid(0, 2)) {
        EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "1,000", cell), readingRow(2, "2,000", cell)}));
        // Said, with the gauge's words; Online stays to be chosen again.
        EXPECT_TRUE(d.enabled(u"optOnline"_s));
        EXPECT_TRUE(d.text(u"lblConnectHint"_s).contains(u"\"Fehler 12\""_s)) << d.text(u"lblConnectHint"_s).toStdString();
        EXPECT_EQ(d.text(u"txtSpeicher"_s), u"     2.000 mVs "_s);
        EXPECT_TRUE(d.messages().isEmpty());
    }
    // The lines after the message waited and are taken now.
    EXPECT_EQ(bench.grid(result.dumps[2]),
              Grid({germanHeading(), readingRow(1, "1,000", cell), readingRow(2, "2,000", cell),
                    readingRow(3, "4,000", cell), readingRow(4, "5,000", cell)}));
    const QString log = DriveSession::readFile(bench.session.appDataPath(kBrand, kDorna) + u"/Brenvor_TransferLog.txt"_s);
    EXPECT_TRUE(log.contains(u"Fehler 12"_s));
}

// --- A full table, lines that come together, Escape ------------------------------

// A measurement file of 5000 readings, for the online table.
QString fullFile(DownloadBench& bench)
{
    QList<QByteArray> lines = {"Online", "", "Statistik:", "", "", "", "01.02.2024       Nr.      Messwert", ""};
    for (int n = 1; n <= 5000; ++n) lines << toCp1252(fileRow(u"10:00:01"_s, n, u"12,5"_s, u"µm"_s, u"Fe"_s));
    return bench.gaugeFile(u"full.mes"_s, lines);
}

TEST(OnlineE, AFullTableTakesNoMoreReadings)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startZorma(bench);
    ASSERT_TRUE(gauge.ready());
    const QString path = fullFile(bench);
    const DriveResult result = bench.connect(kUntilIdle + kOnline + openScript(path) + looks(1, 800), [&](int index) {
        if (index == 0) gauge.feed(onWire(kZormaReadings.mid(0, 3)));
    }, 40000);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_EQ(result.dumps[0].text(u"optOnline"_s), u"Online (5000)"_s);
    const Dump& d = result.dumps[1];
    EXPECT_EQ(messageTexts(d), QStringList({u"Maximale Werteanzahl überschritten 5000"_s}));
    EXPECT_EQ(d.gridRows().size(), 5001);
    EXPECT_EQ(d.text(u"optOnline"_s), u"Online (5000)"_s);
    EXPECT_EQ(result.exitCode, 0);
}

// A DORNA that sends its lines when told.
RawGauge& startDorna(DownloadBench& bench)
{
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(), {"DORNA-1\r\nVD: 1.10\r\n\x04"});
    return gauge;
}

QByteArray linesOnWire(int count)
{
    QByteArray wire;
    for (const QByteArray& line : dornaLines(count)) wire += line + "\r\n";
    return wire;
}

TEST(OnlineV, AFullTableTakesNoMoreLines)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startDorna(bench);
    ASSERT_TRUE(gauge.ready());
    const QString path = fullFile(bench);
    const QByteArray wire = linesOnWire(3);
    const DriveResult result = bench.connect(kUntilIdle + openScript(path) + looks(1, 800), [&](int index) {
        if (index == 0) gauge.feed(wire);
    }, 40000);
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& d = result.dumps[1];
    EXPECT_EQ(messageTexts(d), QStringList({u"Maximale Werteanzahl überschritten 5000"_s}));
    EXPECT_EQ(d.gridRows().size(), 5001);
    EXPECT_EQ(d.text(u"optOnline"_s), u"Online (5000)"_s);
}

TEST(OnlineV, LinesArrivingTogetherAreAllTakenAndSaved)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startDorna(bench);
    ASSERT_TRUE(gauge.ready());
    const QByteArray wire = linesOnWire(200);
    // An Escape pressed while nothing waits for the gauge cancels nothing.
    const DriveResult result = bench.connect(kUntilIdle + u"key Escape\n"_s + looks(1, 200) + looks(1, 1500),
                                             [&](int index) {
                                                 if (index == 0) gauge.feed(wire);
                                             });
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& d = result.dumps[1];
    const Grid rows = d.gridRows();
    ASSERT_EQ(rows.size(), 201);
    for (int n = 1; n <= 200; ++n) EXPECT_EQ(lineOf(rows[n]), n);
    EXPECT_EQ(d.text(u"optOnline"_s), u"Online (200)"_s);
    EXPECT_TRUE(d.lastRowShown());
    EXPECT_TRUE(d.messages().isEmpty());
    // Kept on disk as they come, as the record-sending gauges' readings are.
    const QStringList saved = DriveSession::lines(
        DriveSession::readFile(bench.session.messDataPath(kBrand, kDorna) + u"/Online.mes"_s));
    qsizetype rowsSaved = 0;
    for (const QString& line : saved) rowsSaved += line.indexOf(u':') == 2 && line.contains(u" mVs"_s) ? 1 : 0;
    EXPECT_EQ(rowsSaved, 200);
}

TEST(OnlineV, DamagedLinesAreRefusedCountedAndTheNextTaken)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startDorna(bench);
    ASSERT_TRUE(gauge.ready());
    QList<QByteArray> lines = dornaLines(6);
    lines[1][13] = '\0';   // "2.\0" would read 2.0
    lines[3][12] = '\xff'; // "4\xff000" would read 4
    QByteArray wire;
    for (const QByteArray& line : lines) wire += line + "\r\n";
    const DriveResult result = bench.connect(kUntilIdle + looks(1, 100) + looks(1, 1200), [&](int index) {
        if (index == 0) gauge.feed(wire);
    });
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& d = result.dumps[1];
    const QString cell = u"mVs     "_s;
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "1,000", cell), readingRow(2, "3,000", cell),
                                   readingRow(3, "5,000", cell), readingRow(4, "6,000", cell)}));
    EXPECT_EQ(d.text(u"lblConnectHint"_s), u"2 beschädigte Zeilen verworfen"_s);
    EXPECT_TRUE(d.messages().isEmpty());
}

TEST(OnlineV, TheTableHoldsExactly5000AndDeletingItMakesRoom)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startDorna(bench);
    ASSERT_TRUE(gauge.ready());
    const QByteArray burst = linesOnWire(5001);
    // Looks until the burst is in (a slower build takes longer: under the
    // sanitizers each reading, kept in the archive before the next, takes
    // about 3 ms), then the table is deleted and two more lines come.
    constexpr int kLooks = 25;
    const DriveResult result = bench.connect(kUntilIdle + looks(1, 100) + looks(kLooks, 1000)
                                                 + u"answer Yes\nclick cmdFlexTabelleloeschen\n"_s + kUntilIdle
                                                 + looks(1, 100) + looks(1, 800),
                                             [&](int index) {
                                                 if (index == 0) gauge.feed(burst);
                                                 if (index == kLooks + 1) gauge.feed(linesOnWire(2));
                                             },
                                             90000);
    ASSERT_EQ(result.dumps.size(), kLooks + 3);
    const Dump& full = result.dumps[kLooks];
    ASSERT_EQ(full.gridRows().size(), 5001);
    EXPECT_EQ(lineOf(full.gridRows().last()), 5000);
    EXPECT_EQ(full.text(u"optOnline"_s), u"Online (5000)"_s);
    QStringList said; // once, at whichever look it came
    for (int i = 0; i <= kLooks; ++i) said += messageTexts(result.dumps[i]);
    EXPECT_EQ(said, QStringList({u"Maximale Werteanzahl überschritten 5000"_s}));
    const Dump& after = result.dumps[kLooks + 2];
    EXPECT_EQ(after.gridRows().size(), 3) << "no room after deleting the table";
    EXPECT_EQ(after.text(u"optOnline"_s), u"Online (2)"_s);
}

TEST(OnlineV, ReadingsSentRightAfterTheAnswerAreTaken)
{
    // A DORNA that starts sending the moment it has said who it is: online
    // mode is set up after that, and must not drop them.
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = bench.startRawGauge();
    const QByteArray reply = "DORNA-1\r\nVD: 1.10\r\n\x04";
    gauge.answer(kIdentify.toLatin1(), {reply, reply + linesOnWire(3)});
    ASSERT_TRUE(gauge.ready());
    const DriveResult result = bench.connect(kUntilIdle + looks(1, 600));
    ASSERT_EQ(result.dumps.size(), 1);
    const QString cell = u"mVs     "_s;
    EXPECT_EQ(bench.grid(result.dumps[0]), Grid({germanHeading(), readingRow(1, "1,000", cell),
                                                 readingRow(2, "2,000", cell), readingRow(3, "3,000", cell)}));
    EXPECT_TRUE(result.dumps[0].messages().isEmpty()) << messageTexts(result.dumps[0]).join(u'|').toStdString();
}

} // namespace
