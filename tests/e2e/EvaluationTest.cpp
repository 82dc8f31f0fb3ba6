// The acceptance check of a coat and the CSV export, played on a VELO-PROBA
// table and refused for an RK table that measures fields.

#include "MeasurementText.h"

#include <QDate>
#include <QFile>
#include <QTime>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

// Ten readings of which `low` lie at 95 µm (below a nominal of 100), the rest at 110 µm.
QList<QByteArray> coat(int low, const char* material)
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 10; ++n) lines << recordLine(n, n <= low ? "95.0" : "110.0", "µm", material);
    return lines;
}

// A VELO-PROBA whose FE memory passes ISO 19840 (one reading in ten below
// the nominal) and whose NFE memory fails its 20 % rule (two in ten).
GaugeSim& startVelo(DownloadBench& bench)
{
    const QString memory1 = bench.gaugeFile(u"memory1.txt"_s, coat(1, "Fe"));
    const QString memory2 = bench.gaugeFile(u"memory2.txt"_s, coat(2, "NFe"));
    return bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, memory1, u"--memory2"_s, memory2}));
}

QStringList criteria(const Dump& d) { return d.list(u"frmAbnahme.lstKriterien"_s); }

const QString kCheck = u"type frmAbnahme.txtNenn 100\nclick frmAbnahme.cmdPruefen\ndump\n"_s;

} // namespace

TEST(Acceptance, Iso19840PassesAndFailsOnTheTwentyPercentRule)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    // The NFE table is on show after the download; then the FE table.
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nclick mnuAbnahme\n"_s + kCheck
                                             + u"click optFE\nclick mnuAbnahme\n"_s + kCheck
                                             + u"select frmAbnahme.cboRegel IMO PSPC 90/10\nclick frmAbnahme.cmdPruefen\ndump\n"_s
                                             + u"click frmAbnahme.cmdKopieren\nclipboard\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    EXPECT_TRUE(result.dumps[0].enabled(u"mnuAbnahme"_s));

    const Dump& nfe = result.dumps[1];
    EXPECT_TRUE(nfe.windows().contains(u"frmAbnahme"_s));
    EXPECT_EQ(nfe.text(u"frmAbnahme.txtMax"_s), u"300,0"_s); // three times the nominal
    EXPECT_EQ(criteria(nfe), QStringList({
                                 u"Geprüft: NFE-Speicher, 10 Messwerte"_s,
                                 u"✓ Mittelwert ≥ 100,0 µm: 107,0 µm"_s,
                                 u"✓ Jeder Wert ≥ 80 % des Nennwerts (80,0 µm): kleinster 95,0 µm"_s,
                                 u"✗ Werte von 80 % bis unter 100 % des Nennwerts < 20,0 %: 20,0 %"_s,
                                 u"✓ Jeder Wert ≤ Höchstwert 300,0 µm: größter 110,0 µm"_s,
                             }));
    EXPECT_EQ(nfe.text(u"frmAbnahme.lblErgebnis"_s), u"nicht erfüllt"_s);

    const Dump& fe = result.dumps[2];
    EXPECT_EQ(criteria(fe).value(0), u"Geprüft: FE-Speicher, 10 Messwerte"_s);
    EXPECT_EQ(criteria(fe).value(3), u"✓ Werte von 80 % bis unter 100 % des Nennwerts < 20,0 %: 10,0 %"_s);
    EXPECT_EQ(fe.text(u"frmAbnahme.lblErgebnis"_s), u"erfüllt"_s);

    const Dump& imo = result.dumps[3];
    EXPECT_EQ(imo.text(u"frmAbnahme.cboRegel"_s), u"IMO PSPC 90/10"_s);
    EXPECT_EQ(imo.text(u"frmAbnahme.txtMax"_s), u""_s);
    EXPECT_EQ(criteria(imo), QStringList({u"Geprüft: FE-Speicher, 10 Messwerte"_s, u"✓ Mindestens 90,0 % der Werte ≥ Nennwert: 90,0 %"_s,
                                          u"✓ Jeder Wert ≥ 90 % des Nennwerts (90,0 µm): kleinster 95,0 µm"_s}));
    ASSERT_EQ(result.clipboards.size(), 1);
    EXPECT_EQ(result.clipboards[0], criteria(imo).join(u"\r\n"_s) + u"\r\nIMO PSPC 90/10: erfüllt\r\n"_s);
}

TEST(Acceptance, TheOpenWindowFollowsTheLanguage)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"en_US"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click mnuAbnahme\n"_s + kCheck
                                             + u"click English\nwait-ms 300\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_EQ(result.dumps[0].text(u"frmAbnahme.lblErgebnis"_s), u"nicht erfüllt"_s);
    const Dump& d = result.dumps[1];
    EXPECT_EQ(d.text(u"frmAbnahme.cmdPruefen"_s), u"&Check"_s);
    EXPECT_EQ(d.text(u"frmAbnahme.lblErgebnis"_s), u"not met"_s);
    EXPECT_EQ(criteria(d).value(0), u"Checked: NFE-Memory, 10 readings"_s);
    EXPECT_EQ(criteria(d).value(1), u"✓ Mean ≥ 100.0 µm: 107.0 µm"_s);
}

TEST(Acceptance, EnglishTextsInputChecksAndAnRkTableRefused)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"en_US"_s);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {recordLine(1, "12.0", "A/cm"), recordLine(2, "14.0", "A/cm")});
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click English\nwait-ms 300\nclick mnuAbnahme\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(d.text(u"mnuAuswertung"_s), u"Evaluation"_s);
    EXPECT_EQ(d.text(u"mnuAbnahme"_s), u"Acceptance check…"_s);
    EXPECT_EQ(d.text(u"frmAbnahme.lblNenn"_s), u"Nominal thickness (µm):"_s);
    EXPECT_EQ(d.text(u"frmAbnahme.lblErgebnis"_s),
              u"The readings are in A/cm, not in µm: only coating thicknesses can be judged."_s);
    EXPECT_FALSE(d.enabled(u"frmAbnahme.cmdPruefen"_s));
    EXPECT_TRUE(criteria(d).isEmpty());
}

TEST(Acceptance, NominalIsRequiredAndNumeric)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click mnuAbnahme\nclick frmAbnahme.cmdPruefen\ndump\n"
                                                          u"type frmAbnahme.txtNenn zehn\nclick frmAbnahme.cmdPruefen\ndump\n"
                                                          u"type frmAbnahme.txtNenn 100\ntype frmAbnahme.txtKorrektur -5\n"
                                                          u"click frmAbnahme.cmdPruefen\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_EQ(messageTexts(result.dumps[0]), QStringList({u"Bitte die Nennschichtdicke eingeben."_s}));
    EXPECT_EQ(messageTexts(result.dumps[1]), QStringList({u"Eingabe muss numerisch sein!"_s}));
    EXPECT_EQ(messageTexts(result.dumps[2]), QStringList({u"Nur positive Werte erlaubt"_s}));
    for (const Dump& d : result.dumps) EXPECT_TRUE(criteria(d).isEmpty());
}

// "nan", "inf" and an overflow are no numbers in any field, and the window
// never puts one there itself: three times a nominal near the largest
// double has no value, so no maximum is proposed.
TEST(Acceptance, OnlyNumbersInRangeAreTaken)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    QString script = kUntilIdle + u"click mnuAbnahme\n"_s;
    const QStringList bad = {u"nan"_s, u"inf"_s, u"1e999"_s, u"1e308"_s};
    for (const QString& text : bad) script += u"type frmAbnahme.txtNenn %1\nclick frmAbnahme.cmdPruefen\ndump\n"_s.arg(text);
    // Three times the nominal past the largest number: no maximum is proposed.
    script += u"type frmAbnahme.txtNenn 4e11\ndump\nclick frmAbnahme.cmdPruefen\ndump\n"_s
              u"type frmAbnahme.txtNenn 100\ntype frmAbnahme.txtKorrektur -inf\nclick frmAbnahme.cmdPruefen\ndump\n"_s;
    const DriveResult result = bench.connect(script);
    ASSERT_EQ(result.dumps.size(), bad.size() + 3);
    for (int i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(messageTexts(result.dumps[i]), QStringList({u"Eingabe muss numerisch sein!"_s})) << bad[i].toStdString();
        EXPECT_TRUE(criteria(result.dumps[i]).isEmpty());
    }
    const Dump& huge = result.dumps[bad.size()];
    EXPECT_EQ(huge.text(u"frmAbnahme.txtMax"_s), QString());
    const Dump& judged = result.dumps[bad.size() + 1];
    EXPECT_TRUE(messageTexts(judged).isEmpty()) << messageTexts(judged).join(u'|').toStdString();
    EXPECT_EQ(criteria(judged).size(), 4) << criteria(judged).join(u'|').toStdString(); // no maximum to meet
    EXPECT_EQ(messageTexts(result.dumps.last()), QStringList({u"Eingabe muss numerisch sein!"_s}));
    EXPECT_TRUE(criteria(result.dumps.last()).isEmpty());
}

// The window judges the table on show when "Prüfen" is pressed, not the one
// it was opened over: another table on show or the table deleted takes the
// verdict away, and an empty table is said to be one.
TEST(Acceptance, JudgesTheTableOnShowAsItIsNow)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    const DriveResult result = bench.connect(
        kUntilIdle + u"click optFE\nclick mnuAbnahme\n"_s + kCheck + u"click optNFE\ndump\nclick frmAbnahme.cmdPruefen\ndump\n"_s
        + u"answer Yes\nclick cmdFlexTabelleloeschen\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    EXPECT_EQ(result.dumps[0].text(u"frmAbnahme.lblErgebnis"_s), u"erfüllt"_s);
    // The NFE table on show: no verdict until checked, then its own.
    EXPECT_TRUE(criteria(result.dumps[1]).isEmpty());
    EXPECT_EQ(result.dumps[1].text(u"frmAbnahme.lblErgebnis"_s), QString());
    EXPECT_EQ(criteria(result.dumps[2]).value(0), u"Geprüft: NFE-Speicher, 10 Messwerte"_s);
    EXPECT_EQ(result.dumps[2].text(u"frmAbnahme.lblErgebnis"_s), u"nicht erfüllt"_s);
    // Deleted: nothing to judge, and said so.
    const Dump& deleted = result.dumps[3];
    EXPECT_TRUE(criteria(deleted).isEmpty());
    EXPECT_EQ(deleted.text(u"frmAbnahme.lblErgebnis"_s), u"Die Tabelle enthält keine Messwerte."_s);
    EXPECT_FALSE(deleted.enabled(u"frmAbnahme.cmdPruefen"_s));
}

// With "+/-" on, an RK table's statistics count the readings' sizes: the
// check judges the same figures and says so; with it off, the signed ones.
TEST(Acceptance, JudgesTheFiguresTheStatisticsShow)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    const QString memory = bench.gaugeFile(
        u"memory1.txt"_s, {recordLine(1, "40.0", "µm"), recordLine(2, "-3.1", "µm"), recordLine(3, "50.0", "µm")});
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nclick mnuAbnahme\n"_s + kCheck
                                             + u"click cmdAbs\ndump\nclick frmAbnahme.cmdPruefen\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    EXPECT_TRUE(result.dumps[0].list(u"lstStat"_s).join(u'|').contains(u"31,0"_s))
        << result.dumps[0].list(u"lstStat"_s).join(u'|').toStdString(); // (40 + 3.1 + 50) / 3
    EXPECT_EQ(criteria(result.dumps[1]), QStringList({
                                             u"Geprüft: Speicher, 3 Messwerte, Absolutwerte"_s,
                                             u"✗ Mittelwert ≥ 100,0 µm: 31,0 µm"_s,
                                             u"✗ Jeder Wert ≥ 80 % des Nennwerts (80,0 µm): kleinster 3,1 µm"_s,
                                             u"✓ Werte von 80 % bis unter 100 % des Nennwerts < 20,0 %: 0,0 %"_s,
                                             u"✓ Jeder Wert ≤ Höchstwert 300,0 µm: größter 50,0 µm"_s,
                                         }));
    EXPECT_TRUE(criteria(result.dumps[2]).isEmpty()) << "the figures changed";
    EXPECT_EQ(criteria(result.dumps[3]).value(0), u"Geprüft: Speicher, 3 Messwerte"_s);
    EXPECT_EQ(criteria(result.dumps[3]).value(1), u"✗ Mittelwert ≥ 100,0 µm: 29,0 µm"_s);
    EXPECT_EQ(criteria(result.dumps[3]).value(2), u"✗ Jeder Wert ≥ 80 % des Nennwerts (80,0 µm): kleinster -3,1 µm"_s);
}

// --- CSV ----------------------------------------------------------------------

namespace {

// The rows of a CSV file as Python's csv module reads them, one line of
// fields joined by "|" per row; empty when Python is not there.
// SSPC-PA 2 and ISO 19840 by the profile grade in the window; the last
// check made goes with the table into its inspection report.
TEST(Acceptance, SspcPa2TheProfileGradeAndTheReport)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    const QString plain = bench.session.path(u"ohne Prüfung.pdf"_s);
    const QString checked = bench.session.path(u"bericht"_s); // the program adds .pdf
    const DriveResult result = bench.connect(
        kUntilIdle + u"click optFE\nsave "_s + plain + u"\nkey Ctrl+R\n"_s + kUntilIdle + u"dump\n"_s
        + u"click mnuAbnahme\nselect frmAbnahme.cboRegel SSPC-PA 2\ntype frmAbnahme.txtNenn 90\n"_s
          u"type frmAbnahme.txtMax 120\nclick frmAbnahme.cmdPruefen\ndump\n"_s
          u"type frmAbnahme.txtUnten 100\nclick frmAbnahme.cmdPruefen\ndump\n"_s
          u"select frmAbnahme.cboRegel ISO 19840\ntype frmAbnahme.txtNenn 100\n"_s
          u"select frmAbnahme.cboRauheit grob (40,0 µm)\nclick frmAbnahme.cmdPruefen\ndump\n"_s
        + u"save "_s + checked + u"\nclick mnuPruefbericht\n"_s + kUntilIdle + u"dump\n"_s
        // Opened again, the window shows the check kept with the table.
        + u"close frmAbnahme\nclick mnuAbnahme\ndump\n"_s
        // A check with nothing to judge replaces the verdict the report would name.
        + u"select frmAbnahme.cboRegel SSPC-PA 2\ntype frmAbnahme.txtNenn 90\ntype frmAbnahme.txtMax 120\n"_s
          u"type frmAbnahme.txtSpot 50\nclick frmAbnahme.cmdPruefen\ndump\n"_s
        + u"save "_s + checked + u"2.pdf\nclick mnuPruefbericht\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 8);
    EXPECT_TRUE(result.dumps[0].messages().isEmpty());
    EXPECT_EQ(result.dumps[0].text(u"lblExport"_s), u"Prüfbericht: "_s + plain);

    // Spots (95, 110, 110), (110, 110, 110), (110, 110, 110) and one reading left.
    const QStringList sspc = criteria(result.dumps[1]);
    EXPECT_TRUE(sspc.contains(u"1 Messwerte am Ende füllen keinen Spot und sind nicht beurteilt."_s)) << sspc.join(u'\n').toStdString();
    EXPECT_EQ(result.dumps[1].text(u"frmAbnahme.lblErgebnis"_s), u"erfüllt"_s);
    // A spot of at least 100 % of the minimum: the first (105 µm) is still within.
    EXPECT_EQ(result.dumps[2].text(u"frmAbnahme.lblErgebnis"_s), u"erfüllt"_s);

    const Dump& grade = result.dumps[3];
    EXPECT_EQ(grade.text(u"frmAbnahme.txtKorrektur"_s), u"40,0"_s);
    EXPECT_EQ(criteria(grade).last(), u"Korrektur für die Rauheit nach ISO 19840, Profil grob: 40,0 µm je Messwert"_s);
    EXPECT_EQ(grade.text(u"frmAbnahme.lblErgebnis"_s), u"nicht erfüllt"_s);

    EXPECT_EQ(result.dumps[4].text(u"lblExport"_s), u"Prüfbericht: "_s + checked + u".pdf"_s);
    QProcess text;
    text.start(u"pdftotext"_s, {u"-raw"_s, checked + u".pdf"_s, u"-"_s});
    if (!text.waitForFinished(20000)) GTEST_SKIP() << "no pdftotext";
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(read.contains(u"VELO-PROBA"_s) || read.contains(u"FNB"_s)) << read.toStdString();
    EXPECT_TRUE(read.contains(u"Abnahmeprüfung: ISO 19840"_s)) << read.toStdString();
    EXPECT_TRUE(read.contains(u"Profil grob: 40,0 µm"_s));
    EXPECT_TRUE(read.contains(u"ISO 19840: nicht erfüllt"_s));
    const Dump& again = result.dumps[5];
    EXPECT_EQ(again.text(u"frmAbnahme.cboRegel"_s), u"ISO 19840"_s);
    EXPECT_EQ(again.text(u"frmAbnahme.cboRauheit"_s), u"grob (40,0 µm)"_s);
    EXPECT_EQ(again.text(u"frmAbnahme.txtNenn"_s), u"100,0"_s);
    EXPECT_EQ(messageTexts(result.dumps[6]).value(0),
              u"10 Messwerte füllen keinen Spot aus 50 Messwerten: es gibt nichts zu beurteilen."_s);
    QProcess nothing;
    nothing.start(u"pdftotext"_s, {u"-raw"_s, checked + u"2.pdf"_s, u"-"_s});
    nothing.waitForFinished(20000);
    const QString none = QString::fromUtf8(nothing.readAllStandardOutput());
    EXPECT_TRUE(none.contains(u"es gibt nichts zu beurteilen"_s)) << none.toStdString();
    EXPECT_FALSE(none.contains(u"erfüllt"_s)) << "no verdict of an earlier check";

    QProcess first;
    first.start(u"pdftotext"_s, {u"-raw"_s, plain, u"-"_s});
    first.waitForFinished(20000);
    EXPECT_FALSE(QString::fromUtf8(first.readAllStandardOutput()).contains(u"Abnahmeprüfung"_s)) << "no check made yet";
}

QStringList pythonRows(const QString& path, QChar separator)
{
    if (QStandardPaths::findExecutable(u"python3"_s).isEmpty()) return {};
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, u"import csv,sys\n"
                                         u"with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                         u"    for row in csv.reader(f, delimiter=sys.argv[2]): print('|'.join(row))"_s,
                                 path, QString(separator)});
    python.waitForFinished(20000);
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

TEST(CsvExport, BothLanguagesReadBackToTheSameValues)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    const QString memory1 = bench.gaugeFile(u"memory1.txt"_s, {recordLine(1, "0.1234", "mm", "Fe"),
                                                               recordLine(2, "98.7", "µm", "Fe")});
    const QString memory2 = bench.gaugeFile(u"memory2.txt"_s, coat(0, "NFe"));
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, memory1, u"--memory2"_s, memory2}))
                    .ready());
    const QString german = bench.session.path(u"german.csv"_s);
    const QString english = bench.session.path(u"english"_s); // the program adds .csv
    const DriveResult result = bench.connect(kUntilIdle + u"click optFE\nsave "_s + german + u"\nkey Ctrl+E\n"_s
                                             + kUntilIdle + u"click English\nwait-ms 300\nsave "_s + english
                                             + u"\nclick mnuCsv\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_TRUE(result.dumps[0].messages().isEmpty());
    EXPECT_EQ(result.dumps[0].text(u"lblExport"_s), u"CSV: "_s + english + u".csv"_s);

    const QByteArray de = DriveSession::readFile(german);
    const QByteArray en = DriveSession::readFile(english + u".csv"_s);
    ASSERT_TRUE(de.startsWith("\xEF\xBB\xBF")) << "no byte-order mark";
    ASSERT_TRUE(en.startsWith("\xEF\xBB\xBF"));
    const QStringList deLines = DriveSession::lines(de.mid(3));
    const QStringList enLines = DriveSession::lines(en.mid(3));
    ASSERT_EQ(deLines.size(), 3);
    EXPECT_EQ(deLines[0], u"Datum;Zeit;Nr;Wert;Einheit;Material"_s);
    EXPECT_EQ(enLines[0], u"Date,Time,No,Value,Unit,Material"_s);
    // 0.1234 mm is stored as 0.1234 · 1000 µm, which is not quite 123.4:
    // written with the digits it has, and quoted so that a default import,
    // which splits on commas too, keeps it one cell.
    const QStringList row1 = QString::fromUtf8(deLines[1].toLatin1()).split(u';');
    ASSERT_EQ(row1.size(), 6);
    EXPECT_EQ(row1[0], QDate::currentDate().toString(u"dd.MM.yyyy"_s));
    EXPECT_TRUE(QTime::fromString(row1[1], u"HH:mm:ss"_s).isValid()) << row1[1].toStdString();
    EXPECT_EQ(row1.mid(2), QStringList({u"1"_s, u"\"123,4\""_s, u"µm"_s, u"Fe"_s}));
    EXPECT_EQ(QString::fromUtf8(enLines[2].toLatin1()).split(u',').mid(2),
              QStringList({u"2"_s, u"98.7"_s, u"µm"_s, u"Fe"_s}));
    EXPECT_EQ(de.count("\r\n"), 3);
    EXPECT_EQ(de.count('\n'), 3) << "a line end other than CR LF";

    const QStringList read = pythonRows(german, u';');
    if (!read.isEmpty()) {
        ASSERT_EQ(read.size(), 3);
        EXPECT_EQ(read[1].split(u'|').mid(2), QStringList({u"1"_s, u"123,4"_s, u"µm"_s, u"Fe"_s}));
        EXPECT_EQ(pythonRows(english + u".csv"_s, u',').value(2).split(u'|').value(3).toDouble(), 98.7);
    }
}

// A table opened from a file: every row carries the file's date, not its
// whole date line or a blank.
TEST(CsvExport, ATableFromAFileHasTheFilesDate)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    const QString mes = bench.session.path(u"february.mes"_s);
    DriveSession::writeFile(mes, toCp1252(u"Speicher\r\n\r\nStatistik:\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n"_s
                                          + fileRow(u"10:00:01"_s, 1, u"12,5"_s, u"µm"_s) + u"\r\n"_s
                                          + fileRow(u"10:00:02"_s, 2, u"13,5"_s, u"µm"_s) + u"\r\n\r\n"_s));
    const QString csv = bench.session.path(u"february.csv"_s);
    const QString again = bench.session.path(u"again.mes"_s);
    const DriveResult result =
        bench.connect(kUntilIdle + openScript(mes) + u"save "_s + csv + u"\nkey Ctrl+E\n"_s + kUntilIdle + u"dump\n"_s
                      + u"click cmdClipboard\nclipboard\n"_s + saveScript(again));
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_TRUE(result.dumps[1].messages().isEmpty());
    // The table, its report and the file saved again keep the file's date.
    EXPECT_EQ(result.dumps[0].gridRows().value(0).value(0), u"01.02.2024"_s);
    ASSERT_EQ(result.clipboards.size(), 1);
    EXPECT_TRUE(result.clipboards[0].contains(u"01.02.2024"_s)) << result.clipboards[0].toStdString();
    EXPECT_TRUE(fromCp1252(DriveSession::readFile(again)).contains(u"\r\n01.02.2024 "_s));
    const QStringList lines = DriveSession::lines(DriveSession::readFile(csv).mid(3));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(u"01.02.2024;10:00:01;1;"_s)) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(u"01.02.2024;10:00:02;2;"_s)) << lines[2].toStdString();
}

TEST(CsvExport, AFileThatCannotBeWrittenIsReported)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startVelo(bench).ready());
    const QString path = bench.session.path(u"no such folder/x.csv"_s);
    const DriveResult result = bench.connect(kUntilIdle + u"save "_s + path + u"\nkey Ctrl+E\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const QStringList messages = messageTexts(result.dumps[0]);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(u"Die Datei "_s + path + u" konnte nicht gespeichert werden: "_s)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(u"Pfad nicht gefunden"_s)) << "the reason in the operator's language";
    EXPECT_EQ(logLines(bench.session, u"VELO-PROBA RIDIVORI"_s).count(messages[0]), 1);
}
