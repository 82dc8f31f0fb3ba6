// kivo-cli's archive is the window's: what kivo-cli downloads the window
// lists, a file the window opened kivo-cli finds and does not import twice;
// list, show, export and import as a lab's script uses them, and each exit
// code they give.

#include "CliRun.h"
#include "DownloadBench.h"
#include "MeasurementText.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

CliRun cli(const DriveSession& session, QStringList args, const QString& archive = {})
{
    QProcessEnvironment env = cliEnvironment(session.configHome(), session.dataHome());
    if (!archive.isNull()) env.insert(u"KIVO_ARCHIVE"_s, archive);
    args << u"--model"_s << u"VX"_s;
    return runCli(args, env);
}

const QList<QByteArray> kLines = {recordLine(1, "88.6", "µm", "Fe"), recordLine(2, "90.3", "µm", "Fe"),
                                  recordLine(3, "86.9", "µm", "Fe")};

TEST(CliArchive, KivoCliAndTheWindowShareOneArchive)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, bench.gaugeFile(u"m1.txt"_s, kLines)}))
                    .ready());
    const QString day = bench.session.path(u"day.mes"_s);
    const CliRun download = cli(bench.session, {u"download"_s, bench.link(), u"--memory"_s, u"1"_s, u"--out"_s, day});
    ASSERT_EQ(download.exitCode, 0) << download.err.toStdString();

    // The window lists what kivo-cli read beside its own download of both
    // memories, and opens a file.
    const QString other = bench.session.path(u"other.mes"_s);
    ASSERT_TRUE(QFile::copy(day, other));
    const DriveResult shown = bench.connect(kUntilIdle + u"key Ctrl+Shift+O\ndump\nclose frmArchiv\n"_s + openScript(other));
    ASSERT_GE(shown.dumps.size(), 1);
    const QStringList listed = shown.dumps[0].list(u"frmArchiv.lstArchiv"_s);
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[2].split(u'\t').value(3), u"Speicher 1"_s); // kivo-cli's, the oldest

    const CliRun list = cli(bench.session, {u"archive"_s, u"list"_s});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    const QStringList lines = list.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << list.out.toStdString();
    // Newest first: ID, date, gauge, memory, count, unit, six project fields.
    // The file is taken when its readings were, before the window's download.
    EXPECT_EQ(lines[0].split(u'\t').value(3), u"Memory 2"_s);
    const QStringList files = lines.filter(u"\tFile\t"_s);
    ASSERT_EQ(files.size(), 1) << list.out.toStdString();
    const QStringList file = files[0].split(u'\t');
    ASSERT_EQ(file.size(), 12) << files[0].toStdString();
    EXPECT_EQ(file[0], u"4"_s);
    EXPECT_EQ(file[2], u"VX"_s); // the model only: the gauge that measured it is not known
    EXPECT_EQ(file[3], u"File"_s);
    EXPECT_EQ(file[4], u"3"_s);
    EXPECT_EQ(file[5], u"µm"_s);

    // The file the window opened, and its copy, are the same inspection.
    const CliRun again = cli(bench.session, {u"archive"_s, u"import"_s, day, other});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out.count(u"is in the archive already"_s), 2) << again.out.toStdString();

    // Exported, the inspection is the table the file held.
    const QString csv = bench.session.path(u"two.csv"_s);
    ASSERT_EQ(cli(bench.session, {u"archive"_s, u"export"_s, u"4"_s, u"--out"_s, csv}).exitCode, 0);
    const QString converted = bench.session.path(u"converted.csv"_s);
    ASSERT_EQ(cli(bench.session, {u"convert"_s, other, u"--out"_s, converted}).exitCode, 0);
    EXPECT_EQ(DriveSession::readFile(csv), DriveSession::readFile(converted));

    const CliRun show = cli(bench.session, {u"archive"_s, u"show"_s, u"1"_s, u"--lang"_s, u"de"_s});
    ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
    EXPECT_TRUE(show.out.contains(u"Speicher: Speicher 1\n"_s)) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains(u"Anzahl: 3\n"_s)) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains(u"\n3\t86,9\tµm\tFe\t"_s)) << show.out.toStdString();

    // An archive line that cannot be used: the file is written, the
    // readings wait for the archive, and the script learns it (7).
    const QString waits = bench.session.path(u"waits.mes"_s);
    const CliRun refused = cli(bench.session, {u"download"_s, bench.link(), u"--memory"_s, u"1"_s, u"--out"_s, waits},
                               u"postgresql://lab:secret@db/x"_s);
    EXPECT_EQ(refused.exitCode, 7) << refused.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(waits));
    EXPECT_FALSE(refused.err.contains(u"secret"_s)) << refused.err.toStdString();
    EXPECT_EQ(refused.err.count(u"KIVO_ARCHIVE"_s), 2) << refused.err.toStdString(); // once when found, once at the end
    // The line mended (here: no KIVO_ARCHIVE), what waited is in the archive
    // before it is listed.
    const CliRun mended = cli(bench.session, {u"archive"_s, u"list"_s});
    EXPECT_EQ(mended.exitCode, 0) << mended.err.toStdString();
    EXPECT_EQ(mended.out.count(u'\n'), 5) << mended.out.toStdString();
}

TEST(CliArchive, EachExitCodeOfTheArchive)
{
    DriveSession session(std::nullopt);
    const QString mes = session.path(u"coat.mes"_s);
    DriveSession::writeFile(mes, toCp1252(u"Speicher\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n"_s
                                          + fileRow(u"10:00:00"_s, 1, u"124,6"_s, u"µm"_s, u"Fe"_s) + u"\r\n"_s));
    const CliRun imported = cli(session, {u"archive"_s, u"import"_s, mes, session.path(u"none.mes"_s)});
    EXPECT_EQ(imported.exitCode, 6) << imported.err.toStdString(); // the one that is there is kept
    EXPECT_TRUE(imported.out.startsWith(u"1: "_s)) << imported.out.toStdString();
    EXPECT_EQ(cli(session, {u"archive"_s, u"list"_s, u"--search"_s, u"coat"_s}).out.count(u'\n'), 1);
    EXPECT_EQ(cli(session, {u"archive"_s, u"list"_s, u"--from"_s, u"2999-01-01"_s}).out, QString());
    EXPECT_EQ(cli(session, {u"archive"_s, u"list"_s, u"--from"_s, u"1.2.2024"_s}).exitCode, 2);
    EXPECT_EQ(cli(session, {u"archive"_s, u"show"_s, u"99"_s}).exitCode, 2);
    EXPECT_EQ(cli(session, {u"archive"_s, u"show"_s, u"one"_s}).exitCode, 2);
    EXPECT_EQ(cli(session, {u"archive"_s}).exitCode, 2);
    EXPECT_EQ(cli(session, {u"archive"_s, u"export"_s, u"1"_s, u"--out"_s, session.path(u"x.pdf"_s)}).exitCode, 2);
    EXPECT_EQ(cli(session, {u"archive"_s, u"export"_s, u"1"_s, u"--out"_s, session.path(u"no folder/x.csv"_s)}).exitCode, 6);
    const QString xlsx = session.path(u"one.xlsx"_s);
    EXPECT_EQ(cli(session, {u"archive"_s, u"export"_s, u"1"_s, u"--out"_s, xlsx}).exitCode, 0);
    EXPECT_TRUE(DriveSession::readFile(xlsx).startsWith("PK"));
    // An archive that is not there, or a line that may not be used.
    const CliRun away = cli(session, {u"archive"_s, u"list"_s}, u"postgresql://localhost:1/none"_s);
    EXPECT_EQ(away.exitCode, 7);
    EXPECT_TRUE(away.err.contains(u"postgresql://localhost:1/none"_s)) << away.err.toStdString();
    EXPECT_EQ(cli(session, {u"archive"_s, u"list"_s}, u"postgresql://lab:secret@db/x"_s).exitCode, 7);
}

} // namespace
