// kivo-cli against the gauge simulator on a pseudo-terminal: a download to
// the files the window opens, each exit code of a download, online readings
// as they arrive, and Ctrl+C leaving nothing half-written.

#include "CliRun.h"
#include "DownloadBench.h"
#include "MeasurementText.h"
#include "ZipEntry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

// kivo-cli in the installation of `session`, as the window there sees it.
CliRun cli(const DriveSession& session, const QStringList& args)
{
    return runCli(args, cliEnvironment(session.configHome(), session.dataHome()));
}

QStringList values(const QString& csv, QChar separator)
{
    QStringList found;
    for (const QString& line : csv.split(u"\r\n"_s, Qt::SkipEmptyParts).mid(1))
        found << line.section(separator, 3, 3).remove(u'"');
    return found;
}

const QList<QByteArray> kFeLines = {recordLine(1, "88.6", "µm", "Fe"), recordLine(2, "90.3", "µm", "Fe"),
                                    recordLine(3, "86.9", "µm", "Fe")};
const QList<QByteArray> kNfeLines = {recordLine(1, "24.8", "µm", "NFe"), recordLine(2, "26.1", "µm", "NFe"),
                                    recordLine(3, "0.0262", "mm", "NFe"), recordLine(4, "23.9", "µm", "NFe")};

TEST(CliGauge, DownloadGivesTheFilesTheWindowOpensAndTheOtherWayRound)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, bench.gaugeFile(u"m1.txt"_s, kFeLines),
                                           u"--memory2"_s, bench.gaugeFile(u"m2.txt"_s, kNfeLines)}))
                    .ready());
    // Both memories of a two-memory gauge, each to a file of its own.
    const QString day = bench.session.path(u"day.mes"_s);
    const CliRun both = cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"VX"_s, u"--out"_s, day});
    ASSERT_EQ(both.exitCode, 0) << both.err.toStdString();
    EXPECT_TRUE(both.err.contains(u"FE-Memory: 3 readings in "_s)) << both.err.toStdString();
    EXPECT_TRUE(both.err.contains(u"NFE-Memory: 4 readings in "_s)) << both.err.toStdString();
    const QString second = bench.session.path(u"day-2.mes"_s);
    ASSERT_TRUE(QFileInfo::exists(bench.session.path(u"day-1.mes"_s)));
    ASSERT_TRUE(QFileInfo::exists(second));
    EXPECT_FALSE(QFileInfo::exists(day));

    // One memory as German CSV on standard output.
    const CliRun csv = cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"VX"_s, u"--memory"_s, u"2"_s,
                                           u"--format"_s, u"csv"_s, u"--lang"_s, u"de"_s});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    EXPECT_TRUE(csv.out.startsWith(u"Datum;Zeit;Nr;Wert;Einheit;Material\r\n"_s)) << csv.out.toStdString();
    EXPECT_EQ(values(csv.out, u';'), (QStringList{u"24,8"_s, u"26,1"_s, u"26,2"_s, u"23,9"_s}));

    // The window opens the file kivo-cli wrote and saves it again; kivo-cli
    // converts what the window saved.
    const QString back = bench.session.path(u"back"_s);
    const DriveResult shown = bench.connect(kUntilIdle + openScript(second) + saveScript(back));
    ASSERT_EQ(shown.dumps.size(), 2);
    // The clock times are kivo-cli's, taken before the window ran.
    const Grid grid = shown.dumps[0].gridRows();
    ASSERT_EQ(grid.size(), 5);
    EXPECT_EQ(grid[3].mid(1), readingRow(3, u"26.2"_s, kUmNfe).mid(1));
    EXPECT_EQ(grid[3][0].size(), 8); // hh:mm:ss
    EXPECT_EQ(shown.dumps[0].text(u"optNFE"_s), u"day-2.mes (4)"_s);
    const QString backCsv = bench.session.path(u"back.csv"_s);
    const CliRun converted = cli(bench.session, {u"convert"_s, back + u".mes"_s, u"--out"_s, backCsv, u"--model"_s, u"VX"_s});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    EXPECT_EQ(values(QString::fromUtf8(DriveSession::readFile(backCsv).mid(3)), u','),
              (QStringList{u"24.8"_s, u"26.1"_s, u"26.2"_s, u"23.9"_s}));
}

TEST(CliGauge, EachExitCodeOfADownload)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QString out = bench.session.path(u"out.mes"_s);
    const QStringList rks = {u"--model"_s, u"RKS"_s, u"--timeout"_s, u"1"_s, u"--out"_s, out};

    const CliRun noPort = cli(bench.session, QStringList{u"download"_s, bench.session.path(u"none"_s)} + rks);
    EXPECT_EQ(noPort.exitCode, 3) << noPort.err.toStdString();
    EXPECT_TRUE(noPort.err.contains(u"cannot be opened"_s)) << noPort.err.toStdString();

    // Wrong uses of the command line.
    for (const QStringList& wrong : {QStringList{u"--memory"_s, u"3"_s}, QStringList{u"--memory"_s, u"2"_s},
                                     QStringList{u"--format"_s, u"pdf"_s}, QStringList{u"--timeout"_s, u"0"_s}}) {
        ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
        EXPECT_EQ(cli(bench.session, QStringList{u"download"_s, bench.link()} + rks + wrong).exitCode, 2)
            << wrong.join(u' ').toStdString();
    }
    EXPECT_EQ(cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"RKS"_s, u"--format"_s, u"xlsx"_s}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(out));

    // A gauge that answers nothing: given up after --timeout.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--silent"_s})).ready());
    const CliRun silent = cli(bench.session, QStringList{u"download"_s, bench.link()} + rks);
    EXPECT_EQ(silent.exitCode, 4) << silent.err.toStdString();
    EXPECT_LT(silent.ms, 20000);

    // A wire cut in the middle of the dump: nothing written.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--cut-after-bytes"_s, u"250"_s})).ready());
    const CliRun cut = cli(bench.session, QStringList{u"download"_s, bench.link()} + rks);
    EXPECT_EQ(cut.exitCode, 5) << cut.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));

    // The whole memory, at last, through a port named from the folder above.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QFileInfo link(bench.link());
    const QString relative = link.dir().dirName() + u'/' + link.fileName();
    const CliRun done = runCli(QStringList{u"download"_s, relative} + rks,
                               cliEnvironment(bench.session.configHome(), bench.session.dataHome()),
                               QFileInfo(link.absolutePath()).absolutePath());
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(out));

    // A file that cannot be written.
    const CliRun blocked = cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"RKS"_s, u"--out"_s,
                                               bench.session.path(u"no folder/x.mes"_s)});
    EXPECT_EQ(blocked.exitCode, 6) << blocked.err.toStdString();
}

// Ctrl+C in the middle of a slow download cancels it: no file, and no
// temporary file beside where it would have been.
TEST(CliGauge, CtrlCLeavesNothingHalfWritten)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.startSlowRks();
    const QString folder = bench.session.path(u"out"_s);
    QDir().mkpath(folder);
    for (const char* format : {"mes", "xlsx"}) {
        const QString out = QDir(folder).filePath(u"slow."_s + QLatin1String(format));
        QProcess p;
        p.setProcessEnvironment(cliEnvironment(bench.session.configHome(), bench.session.dataHome()));
        QElapsedTimer clock;
        clock.start();
        p.start(QStringLiteral(KIVO_CLI), {u"download"_s, bench.link(), u"--model"_s, u"RKS"_s, u"--out"_s, out});
        ASSERT_TRUE(p.waitForStarted());
        // Once the memory is asked for, the dump is on its way.
        const auto asked = [&] { return bench.gaugeCommands().count(kMemory1); };
        const qsizetype before = asked();
        for (int i = 0; i < 500 && asked() == before; ++i) QThread::msleep(20);
        ASSERT_GT(asked(), before) << format;
        QThread::msleep(300);
        ::kill(pid_t(p.processId()), SIGINT);
        const CliRun run = finishCli(p, clock);
        EXPECT_EQ(run.exitCode, 130) << format << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(u"nothing was written"_s)) << run.err.toStdString();
        EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty()) << format;
    }
}

TEST(CliGauge, OnlineGivesEachReadingAsItArrives)
{
    DownloadBench bench("DOR", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s, u"--online-style"_s, u"V"_s, u"--interval-ms"_s, u"50"_s}))
                    .ready());
    const QString out = bench.session.path(u"online.mes"_s);
    const CliRun four = cli(bench.session, {u"online"_s, bench.link(), u"--model"_s, u"DOR"_s, u"--count"_s, u"4"_s,
                                            u"--out"_s, out});
    ASSERT_EQ(four.exitCode, 0) << four.err.toStdString();
    const QStringList lines = four.out.split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << four.out.toStdString();
    EXPECT_EQ(lines[0], u"Date,Time,No,Value,Unit,Material"_s);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(lines[i].section(u',', 2, 2), QString::number(i)) << lines[i].toStdString();
    EXPECT_TRUE(lines[1].endsWith(u",mVs,"_s)) << lines[1].toStdString();
    // The file holds the readings printed, no more.
    const CliRun again = cli(bench.session, {u"convert"_s, out, u"--out"_s, bench.session.path(u"online.csv"_s),
                                             u"--model"_s, u"DOR"_s});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(DriveSession::lines(DriveSession::readFile(bench.session.path(u"online.csv"_s))).size(), 5);

    // --seconds ends it after a while.
    const CliRun timed = cli(bench.session, {u"online"_s, bench.link(), u"--model"_s, u"DOR"_s, u"--seconds"_s, u"1"_s});
    EXPECT_EQ(timed.exitCode, 0) << timed.err.toStdString();
    EXPECT_GE(timed.out.count(u"\r\n"_s), 4) << timed.out.toStdString();

    // A gauge that sends no reading.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s})).ready());
    const CliRun none = cli(bench.session, {u"online"_s, bench.link(), u"--model"_s, u"DOR"_s, u"--timeout"_s, u"1"_s});
    EXPECT_EQ(none.exitCode, 4) << none.err.toStdString();
}

TEST(CliGauge, ConvertWritesWorkbookAndDocument)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, bench.gaugeFile(u"m1.txt"_s, kFeLines),
                                           u"--memory2"_s, bench.gaugeFile(u"m2.txt"_s, kNfeLines)}))
                    .ready());
    const QString mes = bench.session.path(u"fe.mes"_s);
    ASSERT_EQ(cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"VX"_s, u"--memory"_s, u"1"_s, u"--out"_s, mes})
                  .exitCode,
              0);
    const QString xlsx = bench.session.path(u"fe.xlsx"_s);
    const QString odt = bench.session.path(u"fe.odt"_s);
    for (const QString& target : {xlsx, odt}) {
        const CliRun run = cli(bench.session, {u"convert"_s, mes, u"--out"_s, target, u"--model"_s, u"VX"_s, u"--lang"_s, u"de"_s});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    const QByteArray sheet = kivo::testing::zipEntry(xlsx, u"xl/worksheets/sheet2.xml"_s)
                             + kivo::testing::zipEntry(xlsx, u"xl/worksheets/sheet1.xml"_s);
    EXPECT_TRUE(sheet.contains("<v>90.3</v>")) << sheet.left(400).toStdString();
    const QString content = QString::fromUtf8(kivo::testing::zipEntry(odt, u"content.xml"_s));
    EXPECT_TRUE(content.contains(u"90,3"_s)) << content.left(400).toStdString();
}

// What a lab's script must not miss: a table cut short or a reading
// refused gives 5, a gauge of another model or two memories mixed on one
// output are refused, a full disk under standard output gives 6, a pulled
// cable ends the command, and the statistics are the window's.
TEST(CliGauge, WhatALabsScriptMustNotMiss)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QStringList rks = {u"--model"_s, u"RKS"_s, u"--timeout"_s, u"2"_s};
    // A value no measurement file could hold, among good ones.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s,
                                           bench.gaugeFile(u"huge.txt"_s, {recordLine(1, "12.5", "um"),
                                                                           recordLine(2, "9999999999", "um"),
                                                                           recordLine(3, "-3.5", "um")})}))
                    .ready());
    const QString out = bench.session.path(u"huge.mes"_s);
    const CliRun refused = cli(bench.session, QStringList{u"download"_s, bench.link(), u"--out"_s, out} + rks);
    EXPECT_EQ(refused.exitCode, 5) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(u"readings not taken: 1"_s)) << refused.err.toStdString();
    // The statistics of absolute values, as the window starts.
    const QString written = fromCp1252(DriveSession::readFile(out));
    EXPECT_TRUE(written.contains(u"Statistics:  with absolute values"_s)) << written.left(300).toStdString();
    EXPECT_TRUE(written.contains(u"Minimum                3.50 um"_s)) << written.left(400).toStdString();

    // More than the table holds.
    QList<QByteArray> many;
    for (int i = 1; i <= 5003; ++i) many << recordLine(i, "10.0", "um");
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, bench.gaugeFile(u"many.txt"_s, many)}))
                    .ready());
    const CliRun cut = cli(bench.session, QStringList{u"download"_s, bench.link(), u"--out"_s, out} + rks);
    EXPECT_EQ(cut.exitCode, 5) << cut.err.toStdString();
    EXPECT_TRUE(cut.err.contains(u"only the first 5000 of 5003"_s)) << cut.err.toStdString();

    // Another model than the one named; an option given twice; a disk
    // full under standard output.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const CliRun other = cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"ZR"_s, u"--timeout"_s, u"2"_s});
    EXPECT_EQ(other.exitCode, 2);
    EXPECT_TRUE(other.err.contains(u"--model RKS"_s)) << other.err.toStdString();
    EXPECT_EQ(cli(bench.session, QStringList{u"download"_s, bench.link(), u"--timeout"_s, u"3"_s} + rks).exitCode, 2);
    QProcess full;
    full.setProcessEnvironment(cliEnvironment(bench.session.configHome(), bench.session.dataHome()));
    full.setStandardOutputFile(u"/dev/full"_s);
    QElapsedTimer clock;
    clock.start();
    full.start(QStringLiteral(KIVO_CLI), QStringList{u"download"_s, bench.link()} + rks);
    EXPECT_EQ(finishCli(full, clock).exitCode, 6);

    // The cable pulled in the middle of a slow download.
    QList<QByteArray> slow;
    for (int i = 1; i <= 2000; ++i) slow << recordLine(i, "10.0", "um");
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, bench.gaugeFile(u"slow.txt"_s, slow),
                                           u"--pace-baud"_s, u"9600"_s, u"--unplug-after-ms"_s, u"1200"_s}))
                    .ready());
    const CliRun pulled = cli(bench.session, QStringList{u"download"_s, bench.link(), u"--out"_s, out} + rks);
    EXPECT_EQ(pulled.exitCode, 5) << pulled.err.toStdString();
}

TEST(CliGauge, TwoMemoriesAreNotMixedOnOneOutput)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s})).ready());
    const CliRun mixed = cli(bench.session, {u"download"_s, bench.link(), u"--model"_s, u"VX"_s});
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_TRUE(mixed.out.isEmpty());
    EXPECT_TRUE(mixed.err.contains(u"--memory 1 or 2"_s)) << mixed.err.toStdString();
}

TEST(CliGauge, OnlineSaysWhenTheGaugeFellSilentBeforeTheCount)
{
    DownloadBench bench("DOR", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s, u"--online"_s,
                                           bench.gaugeFile(u"three.txt"_s, {recordLine(1, "2.315", "mVs"), recordLine(2, "2.298", "mVs"),
                                                                            recordLine(3, "2.301", "mVs")}),
                                           u"--online-style"_s, u"V"_s, u"--interval-ms"_s, u"50"_s}))
                    .ready());
    const CliRun few = cli(bench.session, {u"online"_s, bench.link(), u"--model"_s, u"DOR"_s, u"--count"_s, u"10"_s,
                                           u"--timeout"_s, u"1"_s});
    EXPECT_EQ(few.exitCode, 4) << few.err.toStdString();
    EXPECT_TRUE(few.err.contains(u"readings that came: 3 of 10"_s)) << few.err.toStdString();
    EXPECT_EQ(few.out.count(u"\r\n"_s), 4);
}

} // namespace
