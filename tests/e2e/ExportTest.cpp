// The spreadsheet and word-processor exports through the real window: the
// question, the files in the export folder, the hand-over to the desktop,
// and what the operator sees when something goes wrong.

#include "MeasurementText.h"
#include "ZipEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using kivo::testing::zipEntry;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;
const QStringList kCommands = {u"cmdExcel"_s, u"cmdWord"_s, u"cmdSave"_s, u"cmdOpen"_s, u"cmdClipboard"_s, u"cmdEnde"_s};

// A cable gauge whose first memory holds `lines`.
struct ExportBench {
    explicit ExportBench(const QList<QByteArray>& lines, const QString& locale = u"de_DE"_s) : bench("RKS", PortType::Cable)
    {
        bench.setLocale(locale);
        const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
        ready = bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready();
    }
    QString exportFolder() const { return bench.session.messDataPath(kBrand, kSivar) + u"/export"_s; }
    DriveResult run(const QString& script) { return bench.connect(kUntilIdle + script); }
    DownloadBench bench;
    bool ready = false;
};

QList<QByteArray> readings(int count, const char* unit = "µm")
{
    QList<QByteArray> lines;
    for (int n = 1; n <= count; ++n)
        lines << recordLine(n, QByteArray::number(20.0 + (n * 7919 % 3000) / 100.0, 'f', 2).constData(), unit);
    return lines;
}

void expectCommandsEnabled(const Dump& d)
{
    for (const QString& c : kCommands) EXPECT_TRUE(d.enabled(c)) << c.toStdString();
}

TEST(Export, WorkbookAndTwoDocumentsLandInTheExportFolderAndOpen)
{
    ExportBench e(readings(12));
    ASSERT_TRUE(e.ready);
    const DriveResult result = e.run(u"answer Yes\nclick cmdExcel\ndump\nclick cmdWord\nclick cmdWord\n"
                                     "click cmdClipboard\nclipboard\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& afterExcel = result.dumps[0];
    ASSERT_EQ(afterExcel.messages().size(), 1);
    const QJsonObject question = afterExcel.messages()[0].toObject();
    EXPECT_EQ(question.value(u"text").toString(), u"Excel inklusive Chart erstellen?");
    EXPECT_EQ(question.value(u"buttons").toVariant().toStringList(), QStringList({u"Yes"_s, u"No"_s}));
    ASSERT_EQ(afterExcel.opened().size(), 1);
    const QString workbook = afterExcel.opened()[0];
    EXPECT_EQ(QFileInfo(workbook).absolutePath(), QDir(e.exportFolder()).absolutePath());
    EXPECT_TRUE(QFileInfo(workbook).fileName().startsWith(u"Messwerte_"_s));
    EXPECT_TRUE(workbook.endsWith(u".xlsx"_s));
    EXPECT_EQ(afterExcel.text(u"lblExport"_s), u"Export: "_s + QDir::toNativeSeparators(workbook));
    expectCommandsEnabled(afterExcel);
    const QString sheet = QString::fromUtf8(zipEntry(workbook, u"xl/workbook.xml"_s));
    EXPECT_TRUE(sheet.contains(u"name=\"Messwerte\""_s) && sheet.contains(u"name=\"Chart\""_s)) << sheet.toStdString();

    // Two presses, two documents, each the report as the clipboard has it.
    const Dump& afterWord = result.dumps[1];
    EXPECT_TRUE(afterWord.messages().isEmpty());
    ASSERT_EQ(afterWord.opened().size(), 2);
    EXPECT_NE(afterWord.opened()[0], afterWord.opened()[1]);
    ASSERT_EQ(result.clipboards.size(), 1);
    for (const QString& document : afterWord.opened()) {
        EXPECT_TRUE(QFileInfo(document).fileName().startsWith(u"Bericht_"_s));
        const QString content = QString::fromUtf8(zipEntry(document, u"content.xml"_s));
        EXPECT_EQ(content.count(u"<text:p "_s), result.clipboards[0].split(u"\r\n"_s).size());
        EXPECT_TRUE(content.contains(u"Lucida Console"_s));
    }
    // Nothing but the three exports in the folder.
    EXPECT_EQ(folderEntries(e.exportFolder()).size(), 3);
}

TEST(Export, EnglishWithoutChartAndNoProgramToOpenIt)
{
    ExportBench e(readings(3), u"en_US"_s);
    ASSERT_TRUE(e.ready);
    const DriveResult result = e.run(u"click English\nwait-ms 300\ndocuments fail\nanswer No\nclick cmdExcel\n"
                                     "click cmdWord\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    const QStringList texts = messageTexts(d);
    ASSERT_EQ(d.opened().size(), 2);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], u"Generate Excel Worksheet with chart?");
    EXPECT_EQ(texts[1], u"No program opened the file. It was saved as:\n"_s + QDir::toNativeSeparators(d.opened()[0]));
    EXPECT_EQ(texts[2], u"No program opened the file. It was saved as:\n"_s + QDir::toNativeSeparators(d.opened()[1]));
    EXPECT_TRUE(QFileInfo(d.opened()[0]).fileName().startsWith(u"Data_"_s));
    EXPECT_TRUE(QFileInfo(d.opened()[1]).fileName().startsWith(u"Report_"_s));
    // Answered No: the data sheet alone.
    const QString sheet = QString::fromUtf8(zipEntry(d.opened()[0], u"xl/workbook.xml"_s));
    EXPECT_TRUE(sheet.contains(u"name=\"Data\""_s));
    EXPECT_FALSE(sheet.contains(u"Chart"_s));
    expectCommandsEnabled(d);
}

TEST(Export, MixedUnitsAskNothingAndGetNoChart)
{
    QList<QByteArray> lines = readings(2);
    lines << recordLine(3, "5.0", "G");
    ExportBench e(lines);
    ASSERT_TRUE(e.ready);
    const DriveResult result = e.run(u"click cmdExcel\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_TRUE(d.messages().isEmpty()) << messageTexts(d).join(u" | "_s).toStdString();
    ASSERT_EQ(d.opened().size(), 1);
    EXPECT_FALSE(QString::fromUtf8(zipEntry(d.opened()[0], u"xl/workbook.xml"_s)).contains(u"Chart"_s));
    const QString strings = QString::fromUtf8(zipEntry(d.opened()[0], u"xl/sharedStrings.xml"_s));
    EXPECT_TRUE(strings.contains(u" Statistik nicht möglich,"_s));
}

TEST(Export, FailuresSayWhyLogAndLeaveNothing)
{
    ExportBench e(readings(3000));
    ASSERT_TRUE(e.ready);
    // A full disk: no file may grow past 12 000 bytes, more than the log
    // needs and less than either export.
    e.bench.session.limitFileSize(12000);
    const DriveResult full = e.run(u"answer Yes\nclick cmdExcel\nclick cmdWord\ndump\n"_s);
    ASSERT_EQ(full.dumps.size(), 1);
    const QStringList texts = messageTexts(full.dumps[0]);
    ASSERT_EQ(texts.size(), 3) << texts.join(u" | "_s).toStdString(); // the question, then a failure each
    EXPECT_TRUE(texts[1].startsWith(u"Die Datei "_s)) << texts[1].toStdString();
    EXPECT_TRUE(texts[1].contains(u"/export/Messwerte_"_s)) << texts[1].toStdString();
    EXPECT_TRUE(texts[2].contains(u"/export/Bericht_"_s)) << texts[2].toStdString();
    EXPECT_TRUE(full.dumps[0].opened().isEmpty());
    EXPECT_TRUE(folderEntries(e.exportFolder()).isEmpty()) << folderEntries(e.exportFolder()).join(u", "_s).toStdString();
    expectCommandsEnabled(full.dumps[0]);
    const QStringList log = logLines(e.bench.session, kSivar);
    EXPECT_TRUE(log.contains(u"Open Excel:"_s + texts[1])) << log.join(u"\n"_s).toStdString();
    EXPECT_TRUE(log.contains(u"Open Word:"_s + texts[2]));
}

TEST(Export, FolderThatCannotBeMadeIsNamed)
{
    ExportBench e(readings(2));
    ASSERT_TRUE(e.ready);
    DriveSession::writeFile(e.exportFolder(), "a file where the folder belongs");
    const DriveResult result = e.run(u"answer No\nclick cmdExcel\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const QStringList texts = messageTexts(result.dumps[0]);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1], u"Der Ordner "_s + QDir::toNativeSeparators(e.exportFolder()) + u" kann nicht angelegt werden."_s);
    expectCommandsEnabled(result.dumps[0]);
}

TEST(Export, LibreOfficeOpensBothFiles)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed: the exports were not opened by it";
    ExportBench e(readings(40));
    ASSERT_TRUE(e.ready);
    const DriveResult result = e.run(u"answer Yes\nclick cmdExcel\nclick cmdWord\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    ASSERT_EQ(result.dumps[0].opened().size(), 2);
    QTemporaryDir out;
    QProcess convert;
    // A profile of its own, so no running LibreOffice of the user's interferes.
    convert.start(soffice, {u"-env:UserInstallation=file://"_s + out.filePath(u"profile"_s), u"--headless"_s,
                            u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, out.path(), result.dumps[0].opened()[0],
                            result.dumps[0].opened()[1]});
    ASSERT_TRUE(convert.waitForFinished(110000)) << "LibreOffice did not finish";
    for (const QString& file : result.dumps[0].opened()) {
        const QString pdf = out.filePath(QFileInfo(file).completeBaseName() + u".pdf"_s);
        EXPECT_TRUE(DriveSession::readFile(pdf).startsWith("%PDF")) << pdf.toStdString() << "\n"
                                                                   << convert.readAllStandardError().toStdString();
    }
}

} // namespace
