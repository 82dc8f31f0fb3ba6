// kivo-cli as a lab's script runs it: with no display at all, each command
// and each exit code, and files the window reads and writes alike.

#include "CliRun.h"
#include "MeasurementText.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

// kivo-cli with `args`, its folders the test's, not the machine's.
CliRun cli(const QStringList& args, const QString& extraPorts = {})
{
    static const QTemporaryDir home;
    return runCli(args, cliEnvironment(home.filePath(u"config"_s), home.filePath(u"data"_s), extraPorts));
}

// A measurement file of µm readings dated 01.02.2024, as the window writes it.
QString coatFile(const QTemporaryDir& dir, const QString& name, const QStringList& values)
{
    QString text = u"Speicher\r\n\r\nStatistik:\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n"_s;
    for (qsizetype i = 0; i < values.size(); ++i)
        text += fileRow(u"10:00:%1"_s.arg(i, 2, 10, QChar(u'0')), int(i + 1), values[i], u"µm"_s, u"Fe"_s) + u"\r\n"_s;
    const QString path = dir.filePath(name);
    DriveSession::writeFile(path, toCp1252(text + u"\r\n"_s));
    return path;
}

TEST(Cli, ModelsAndHelpWithoutADisplay)
{
    const CliRun models = cli({u"models"_s});
    EXPECT_EQ(models.exitCode, 0) << models.err.toStdString();
    for (const char* code : {"RKT", "RKS", "RKM", "DOR", "ZR", "VX"})
        EXPECT_TRUE(models.out.contains(QLatin1String(code))) << code;
    EXPECT_TRUE(models.out.contains(u"EN_Manual_DORNA_TRANSFER.pdf"_s)) << models.out.toStdString();
    const CliRun help = cli({u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(u"Exit codes"_s));
    EXPECT_TRUE(help.out.contains(u"130  cancelled by Ctrl+C"_s));
    EXPECT_TRUE(cli({u"--version"_s}).out.startsWith(u"kivo-cli V"_s));
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({u"fly"_s}).exitCode, 2);
    EXPECT_EQ(cli({u"judge"_s, u"--nominal"_s}).exitCode, 2);
}

TEST(Cli, JudgeGivesTheVerdictAsItsExitCode)
{
    QTemporaryDir dir;
    // The boundary case of ISO 19840: a mean of exactly 100.0.
    const QString exact = coatFile(dir, u"exact.mes"_s,
                                   {u"102,6"_s, u"100,3"_s, u"100,4"_s, u"100,7"_s, u"102,9"_s, u"101,3"_s, u"101,9"_s,
                                    u"100,9"_s, u"101,5"_s, u"87,5"_s});
    const CliRun met = cli({u"judge"_s, exact, u"--rule"_s, u"iso19840"_s, u"--nominal"_s, u"100"_s, u"--model"_s, u"VX"_s,
                         u"--lang"_s, u"de"_s});
    EXPECT_EQ(met.exitCode, 0) << met.err.toStdString();
    EXPECT_TRUE(met.out.contains(u"Geprüft: exact.mes, 10 Messwerte"_s)) << met.out.toStdString();
    EXPECT_TRUE(met.out.contains(u"✓ Mittelwert ≥ 100,0 µm: 100,0 µm"_s)) << met.out.toStdString();
    EXPECT_TRUE(met.out.endsWith(u"ISO 19840: erfüllt\n"_s)) << met.out.toStdString();

    const CliRun notMet = cli({u"judge"_s, exact, u"--rule=imo-pspc"_s, u"--nominal=101"_s, u"--model=VX"_s});
    EXPECT_EQ(notMet.exitCode, 1) << notMet.out.toStdString() << notMet.err.toStdString();
    EXPECT_TRUE(notMet.out.endsWith(u"IMO PSPC 90/10: not met\n"_s)) << notMet.out.toStdString();

    // Usage, a file that is not there, a table of another unit.
    EXPECT_EQ(cli({u"judge"_s, exact, u"--rule"_s, u"din"_s, u"--nominal"_s, u"100"_s}).exitCode, 2);
    EXPECT_EQ(cli({u"judge"_s, exact, u"--rule"_s, u"iso19840"_s, u"--nominal"_s, u"nan"_s}).exitCode, 2);
    const CliRun missing = cli({u"judge"_s, dir.filePath(u"none.mes"_s), u"--rule"_s, u"iso19840"_s, u"--nominal"_s, u"1"_s});
    EXPECT_EQ(missing.exitCode, 6);
    EXPECT_TRUE(missing.err.contains(u"none.mes"_s)) << missing.err.toStdString();
}

TEST(Cli, JudgeBySspcPa2AndByTheProfileGrade)
{
    QTemporaryDir dir;
    // Spots of three: 80, 100, 100, 100, 120 µm; their area's mean 100.
    const QString spots = coatFile(dir, u"spots.mes"_s,
                                   {u"79,0"_s, u"80,0"_s, u"81,0"_s, u"100,0"_s, u"100,0"_s, u"100,0"_s, u"100,0"_s,
                                    u"100,0"_s, u"100,0"_s, u"100,0"_s, u"100,0"_s, u"100,0"_s, u"119,0"_s, u"120,0"_s,
                                    u"121,0"_s, u"55,0"_s});
    const QStringList sspc = {u"judge"_s, spots, u"--rule"_s, u"sspc-pa2"_s, u"--min"_s, u"100"_s, u"--max"_s, u"150"_s,
                              u"--model"_s, u"VX"_s, u"--lang"_s, u"de"_s};
    const CliRun met = cli(sspc);
    EXPECT_EQ(met.exitCode, 0) << met.out.toStdString() << met.err.toStdString();
    EXPECT_TRUE(met.out.contains(u"1 Messwerte am Ende füllen keinen Spot"_s)) << met.out.toStdString();
    EXPECT_TRUE(met.out.endsWith(u"SSPC-PA 2: erfüllt\n"_s)) << met.out.toStdString();
    // A spot at 80 % of 101 is short of it.
    const CliRun notMet = cli(QStringList(sspc).replaceInStrings(u"100"_s, u"101"_s));
    EXPECT_EQ(notMet.exitCode, 1) << notMet.out.toStdString();
    EXPECT_TRUE(notMet.out.contains(u"Spot aus den Messwerten 1–3: 80,0 µm"_s)) << notMet.out.toStdString();
    EXPECT_EQ(cli(sspc + QStringList{u"--low"_s, u"85"_s}).exitCode, 1);
    EXPECT_EQ(cli({u"judge"_s, spots, u"--rule"_s, u"sspc-pa2"_s, u"--min"_s, u"100"_s}).exitCode, 2) << "no maximum";
    EXPECT_EQ(cli(sspc + QStringList{u"--spot"_s, u"0"_s}).exitCode, 2);
    // More readings a spot than the file holds: nothing judged, not "not met".
    const CliRun tooFew = cli(sspc + QStringList{u"--spot"_s, u"50"_s});
    EXPECT_EQ(tooFew.exitCode, 2);
    EXPECT_TRUE(tooFew.err.contains(u"16 Messwerte füllen keinen Spot aus 50 Messwerten"_s)) << tooFew.err.toStdString();
    EXPECT_TRUE(cli(sspc + QStringList{u"--nominal"_s, u"50"_s}).err.contains(u"--nominal gilt nicht für --rule sspc-pa2"_s));

    // ISO 19840 less the grade's correction: 110 less 10 is 100, met; less 25 not.
    const QString coat = coatFile(dir, u"coat.mes"_s, {u"110,0"_s, u"110,0"_s, u"110,0"_s});
    const QStringList iso = {u"judge"_s, coat, u"--rule"_s, u"iso19840"_s, u"--nominal"_s, u"100"_s, u"--model"_s, u"VX"_s};
    const CliRun fine = cli(iso + QStringList{u"--roughness"_s, u"fine"_s});
    EXPECT_EQ(fine.exitCode, 0) << fine.out.toStdString() << fine.err.toStdString();
    EXPECT_TRUE(fine.out.contains(u"Correction for roughness by ISO 19840, profile fine: 10.0 µm a reading"_s))
        << fine.out.toStdString();
    EXPECT_EQ(cli(iso + QStringList{u"--roughness"_s, u"MEDIUM"_s}).exitCode, 1);
    EXPECT_EQ(cli(iso + QStringList{u"--roughness"_s, u"rough"_s}).exitCode, 2);
    EXPECT_EQ(cli(iso + QStringList{u"--roughness"_s, u"fine"_s, u"--correction"_s, u"5"_s}).exitCode, 2);
}

TEST(Cli, ReportOfAFileAndOfAnArchivedInspection)
{
    QTemporaryDir dir;
    const QString coat = coatFile(dir, u"coat.mes"_s, {u"110,0"_s, u"95,0"_s, u"130,0"_s});
    const QString pdf = dir.filePath(u"coat.pdf"_s);
    const CliRun made = cli({u"report"_s, coat, u"--out"_s, pdf, u"--model"_s, u"VX"_s, u"--lang"_s, u"de"_s, u"--rule"_s,
                             u"iso19840"_s, u"--nominal"_s, u"100"_s, u"--roughness"_s, u"medium"_s});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(made.out, u"Prüfbericht geschrieben: "_s + pdf + u"\n"_s);
    QProcess text;
    text.start(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s});
    if (text.waitForFinished(20000)) {
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(read.contains(u"Abnahmeprüfung: ISO 19840"_s)) << read.toStdString();
        EXPECT_TRUE(read.contains(u"Profil mittel: 25,0 µm"_s)) << read.toStdString();
        EXPECT_TRUE(read.contains(u"ISO 19840: nicht erfüllt"_s)) << read.toStdString();
        EXPECT_TRUE(read.contains(u"coat.mes"_s));
        EXPECT_TRUE(read.contains(u"Seite 1 von 2"_s));
    }
    // Refused: no .pdf, mixed units, a missing inspection.
    EXPECT_EQ(cli({u"report"_s, coat, u"--out"_s, dir.filePath(u"coat.txt"_s)}).exitCode, 2);
    QString mixed = u"Speicher\r\n\r\nStatistik:\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n"_s
                    + fileRow(u"10:00:01"_s, 1, u"12,5"_s, u"µm"_s) + u"\r\n"_s
                    + fileRow(u"10:00:02"_s, 2, u"1,35"_s, u"mils"_s) + u"\r\n\r\n"_s;
    DriveSession::writeFile(dir.filePath(u"mixed.mes"_s), toCp1252(mixed));
    const CliRun refused = cli({u"report"_s, dir.filePath(u"mixed.mes"_s), u"--out"_s, pdf, u"--model"_s, u"VX"_s});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(u"more than one unit (µm, mils)"_s)) << refused.err.toStdString();

    // Imported into an archive of its own, the report comes from it.
    QProcessEnvironment env = cliEnvironment(dir.filePath(u"config"_s), dir.filePath(u"data"_s));
    env.insert(u"KIVO_ARCHIVE"_s, u"sqlite://"_s + dir.filePath(u"a.sqlite"_s));
    ASSERT_EQ(runCli({u"archive"_s, u"import"_s, coat, u"--model"_s, u"VX"_s}, env).exitCode, 0);
    const QString archived = dir.filePath(u"archived.pdf"_s);
    const CliRun fromArchive = runCli({u"report"_s, u"--archive"_s, u"1"_s, u"--out"_s, archived, u"--model"_s, u"VX"_s}, env);
    EXPECT_EQ(fromArchive.exitCode, 0) << fromArchive.err.toStdString();
    EXPECT_TRUE(QFileInfo(archived).size() > 1000);
    EXPECT_EQ(runCli({u"report"_s, u"--archive"_s, u"99"_s, u"--out"_s, archived, u"--model"_s, u"VX"_s}, env).exitCode, 2);
}

TEST(Cli, ConvertWritesTheCsvTheWindowWrites)
{
    QTemporaryDir dir;
    const QString mes = coatFile(dir, u"coat.mes"_s, {u"124,6"_s, u"98,4"_s});
    const QString csv = dir.filePath(u"coat.csv"_s);
    const CliRun run = cli({u"convert"_s, mes, u"--out"_s, csv, u"--lang"_s, u"de"_s, u"--model"_s, u"VX"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = DriveSession::lines(DriveSession::readFile(csv).mid(3));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], u"Datum;Zeit;Nr;Wert;Einheit;Material"_s);
    EXPECT_EQ(QString::fromUtf8(lines[1].toLatin1()), u"01.02.2024;10:00:00;1;\"124,6\";µm;Fe"_s);
    // Nothing half-written where the file cannot be written.
    const QString blocked = dir.filePath(u"no folder/x.csv"_s);
    EXPECT_EQ(cli({u"convert"_s, mes, u"--out"_s, blocked}).exitCode, 6);
    EXPECT_FALSE(QFile::exists(blocked));
    EXPECT_EQ(cli({u"convert"_s, mes, u"--out"_s, dir.filePath(u"x.pdf"_s)}).exitCode, 2);
}

// The ports that suit the model: a cable gauge's USB port is listed with
// its kind, a Bluetooth model lists none of it.
TEST(Cli, PortsThatSuitTheModel)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(u"ttyUSB9"_s);
    QProcess sim;
    sim.start(QStringLiteral(KIVO_GAUGE_SIM), {u"--link"_s, link, u"--model"_s, u"RKS"_s});
    ASSERT_TRUE(sim.waitForStarted());
    for (int i = 0; i < 100 && !QFileInfo::exists(link); ++i) QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(link));
    const CliRun cable = cli({u"ports"_s, u"--model"_s, u"RKS"_s}, link + u":VCP"_s);
    EXPECT_EQ(cable.exitCode, 0) << cable.err.toStdString();
    EXPECT_TRUE(cable.out.split(u'\n').contains(link + u"\tusb\tUSB serial port"_s)) << cable.out.toStdString();
    const CliRun bluetooth = cli({u"ports"_s, u"--model"_s, u"VX"_s}, link + u":VCP"_s);
    EXPECT_EQ(bluetooth.exitCode, 0);
    EXPECT_FALSE(bluetooth.out.contains(link));
    EXPECT_EQ(cli({u"ports"_s, u"--model"_s, u"XX"_s}).exitCode, 2);
    sim.kill();
    sim.waitForFinished();
}

// The man page is made from --help: its exit codes are there.
TEST(Cli, ManPageFromItsHelp)
{
    QFile page(QFileInfo(QStringLiteral(KIVO_CLI)).dir().filePath(u"kivo-cli.1"_s));
    if (!page.exists()) GTEST_SKIP() << "help2man is not installed";
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(text.contains(u".TH KIVO-CLI \"1\""_s)) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains(u"the gauge did not answer"_s));
}

// Built from the logic alone: nothing that draws among its libraries.
// Qt Gui only for the report's PDF writer, on the offscreen platform: no
// widgets, charts or printing, and never a display.
TEST(Cli, LinksNoWindowLibrary)
{
    QProcess ldd;
    ldd.start(u"ldd"_s, {QStringLiteral(KIVO_CLI)});
    if (!ldd.waitForFinished(20000)) GTEST_SKIP() << "no ldd";
    const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
    EXPECT_TRUE(libraries.contains(u"libQt6Core"_s)) << libraries.toStdString();
    for (const char* drawing : {"libQt6Widgets", "libQt6Charts", "libQt6PrintSupport"})
        EXPECT_FALSE(libraries.contains(QLatin1String(drawing))) << drawing;
}

} // namespace
