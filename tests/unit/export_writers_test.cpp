// The exports as files: the workbook and the document read back from their
// zip members, and the way a file lands in the export folder.

#include "QtPrinters.h"
#include "ZipEntry.h"
#include "output/ExportFile.h"
#include "output/ReportDocument.h"
#include "output/WorkbookLayout.h"
#include "output/WorkbookWriter.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace kivo;
using kivo::testing::zipEntry;

namespace {

// The cells of one sheet: address -> text (shared strings resolved) and the
// index of the cell's style.
struct ReadSheet {
    QHash<QString, QString> value;
    QHash<QString, int> style;
};

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si") strings << QString();
        else if (r.isStartElement() && r.name() == u"t" && !strings.isEmpty()) strings.last() += r.readElementText();
    }
    return strings;
}

ReadSheet readSheet(const QByteArray& xml, const QStringList& strings)
{
    ReadSheet sheet;
    QXmlStreamReader r(xml);
    QString ref;
    bool shared = false;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement()) continue;
        if (r.name() == u"c") {
            ref = r.attributes().value(QLatin1String("r")).toString();
            shared = r.attributes().value(QLatin1String("t")) == u"s";
            sheet.style[ref] = r.attributes().value(QLatin1String("s")).toInt();
            sheet.value[ref] = QString();
        } else if (r.name() == u"v") {
            const QString v = r.readElementText();
            sheet.value[ref] = shared ? strings.value(v.toInt()) : v;
        }
    }
    return sheet;
}

struct Workbook {
    QByteArray book, styles, chart;
    ReadSheet data, lines;
};

// Sheet files: 1 is the chart sheet's neighbour, the data sheet, with a
// chart; the hidden sheet of the reference lines follows.
Workbook readWorkbook(const QString& path)
{
    Workbook w;
    w.book = zipEntry(path, QStringLiteral("xl/workbook.xml"));
    w.styles = zipEntry(path, QStringLiteral("xl/styles.xml"));
    w.chart = zipEntry(path, QStringLiteral("xl/charts/chart1.xml"));
    const QStringList strings = sharedStrings(zipEntry(path, QStringLiteral("xl/sharedStrings.xml")));
    w.data = readSheet(zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml")), strings);
    w.lines = readSheet(zipEntry(path, QStringLiteral("xl/worksheets/sheet2.xml")), strings);
    return w;
}

// The formula of series k (from 0) and its cached points.
struct ReadSeries {
    QString name, ref, colour, dash;
    QStringList points;
};

QList<ReadSeries> chartSeries(const QByteArray& xml)
{
    QList<ReadSeries> all;
    QXmlStreamReader r(xml);
    bool inValues = false;
    bool inName = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement() && r.name() == u"val") inValues = false;
        if (r.isEndElement() && r.name() == u"tx") inName = false;
        if (!r.isStartElement()) continue;
        const auto n = r.name();
        if (n == u"ser") all << ReadSeries();
        if (all.isEmpty()) continue;
        ReadSeries& s = all.last();
        if (n == u"val") inValues = true;
        else if (n == u"tx") inName = true;
        else if (n == u"v" && inName) s.name = r.readElementText();
        else if (n == u"f" && inValues) s.ref = r.readElementText();
        else if (n == u"v" && inValues) s.points << r.readElementText();
        else if (n == u"srgbClr" && s.colour.isEmpty()) s.colour = r.attributes().value(QLatin1String("val")).toString();
        else if (n == u"prstDash") s.dash = r.attributes().value(QLatin1String("val")).toString();
    }
    return all;
}

WorkbookInput input(int readings)
{
    WorkbookInput in;
    in.reportP = QStringLiteral("VELO-PROBA\r\n\r\n  NFE-Speicher\r\n");
    in.stats.firstUnit = QStringLiteral("µm  ");
    in.stats.min = 10.04;
    in.stats.max = 30.06;
    in.stats.mean = 20.125;
    in.stats.stdDev = 10.015;
    in.statCount = readings;
    in.heading = {QStringLiteral("07.12.2026"), QStringLiteral("Nr."), QStringLiteral("Messwert"),
                  QStringLiteral("Messeinheit")};
    in.materialart = QStringLiteral("1");
    for (int i = 1; i <= readings; ++i)
        in.rows.push_back({QStringLiteral("14:03:22"), i, 10.0 * i + 0.04, QStringLiteral("µm  "), QStringLiteral(" Fe")});
    in.chartTitle = QStringLiteral("NFE-Speicher 3");
    return in;
}

class ExportWriters : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ExportWriters, WorkbookHoldsTheSheetTheFontsAndTheChart)
{
    WorkbookInput in = input(3);
    in.limits.Emin = 5.005;
    in.limits.Emax = 40;
    in.limits.Esoll = 20;
    const QString file = path(QStringLiteral("w.xlsx"));
    ASSERT_EQ(writeWorkbook(buildWorkbook(in, true), file, true), QString());
    const Workbook w = readWorkbook(file);

    // Chart first (on show), the data sheet, the reference lines hidden.
    static const QRegularExpression sheets(QStringLiteral("<sheet name=\"([^\"]+)\"([^>]*)/>"));
    QStringList visible, hidden;
    for (const auto& m : sheets.globalMatch(QString::fromUtf8(w.book)))
        (m.captured(2).contains(u"state=\"hidden\"") ? hidden : visible) << m.captured(1);
    EXPECT_EQ(visible, QStringList({"Chart", "Messwerte"}));
    EXPECT_EQ(hidden.size(), 1);

    EXPECT_EQ(w.data.value["A1"], u"VELO-PROBA");
    EXPECT_EQ(w.data.value["A3"], u"NFE-Speicher");
    EXPECT_EQ(w.data.value["A4"], u"Anzahl");
    EXPECT_EQ(w.data.value["B4"], u"3");
    EXPECT_EQ(w.data.value["B7"], u"20.12");
    EXPECT_EQ(w.data.value["A9"], u"Min Limit");
    EXPECT_EQ(w.data.value["B9"], u"5"); // 5.005 to even
    EXPECT_EQ(w.data.value["E14"], u"Material");
    EXPECT_EQ(w.data.value["B16"], u"   1");
    EXPECT_EQ(w.data.value["C18"], u"30");
    EXPECT_EQ(w.data.value["E18"], u"Fe");
    // Every cell in the sheet's font; the formats where the sheet has them.
    const QString styles = QString::fromUtf8(w.styles);
    // Declared a font of fixed pitch (family "modern"), so another program
    // falls back to one.
    EXPECT_TRUE(styles.contains(
        u"<font><b/><sz val=\"10\"/><color theme=\"1\"/><name val=\"Lucida Console\"/><family val=\"3\"/>"))
        << styles.toStdString();
    for (const char* format : {"###0_______)", "###,##0.00_)", "###,##0.0_)"})
        EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"%1\"").arg(QLatin1String(format)))) << format;
    for (auto it = w.data.style.begin(); it != w.data.style.end(); ++it) EXPECT_GT(it.value(), 0) << it.key().toStdString();
    EXPECT_EQ(w.data.style["B4"] == w.data.style["B5"], false);
    EXPECT_EQ(w.data.style["C16"], w.data.style["C18"]);
    const QString sheet1 = QString::fromUtf8(zipEntry(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_TRUE(sheet1.contains(u"<col min=\"1\" max=\"1\" width=\"50.7109375\""));
    EXPECT_TRUE(sheet1.contains(u"<col min=\"3\" max=\"3\" width=\"17.7109375\""));
    EXPECT_TRUE(sheet1.contains(u"<col min=\"4\" max=\"4\" width=\"15.7109375\""));

    const QList<ReadSeries> series = chartSeries(w.chart);
    ASSERT_EQ(series.size(), 5);
    EXPECT_EQ(series[0].ref, u"Messwerte!$C$16:$C$18");
    EXPECT_EQ(series[0].colour, u"000000");
    EXPECT_EQ(series[0].points, QStringList({"10", "20", "30"}));
    EXPECT_EQ(series[0].name, u"Messwerte"); // the legend names the readings
    const QStringList names = {"", "Mittelwert", "Maximum", "Minimum", "Sollwert    "};
    const QStringList colours = {"000000", "0000CD", "00B050", "00B050", "EE2C2C"};
    const QStringList dashes = {"", "sysDot", "dash", "dash", ""};
    const QStringList at = {"", "20.12", "40", "5", "20"};
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(series[k].name, names[k]) << k;
        EXPECT_EQ(series[k].colour, colours[k]) << k;
        EXPECT_EQ(series[k].dash, dashes[k]) << k;
        EXPECT_EQ(series[k].points, QStringList(3, at[k])) << k;
    }
    const QString chart = QString::fromUtf8(w.chart);
    EXPECT_TRUE(chart.contains(u"<a:t>NFE-Speicher 3</a:t>"));
    EXPECT_TRUE(chart.contains(u"<a:t>Messwerte</a:t>") && chart.contains(u"<a:t>Anzahl</a:t>"));
    EXPECT_TRUE(chart.contains(u"<c:legendPos val=\"b\"/>"));
    EXPECT_TRUE(chart.contains(u"<a:srgbClr val=\"F0F0F0\"/>"));
    EXPECT_EQ(chart.count(u"<c:symbol val=\"none\"/>"), 5);
}

TEST_F(ExportWriters, OneReadingMovesTheLimitCellsTheChartReads)
{
    WorkbookInput in = input(1);
    in.german = false;
    in.limits.Emin = 8;
    in.limits.Emax = 12;
    const QString file = path(QStringLiteral("one.xlsx"));
    ASSERT_EQ(writeWorkbook(buildWorkbook(in, true), file, true), QString());
    const Workbook w = readWorkbook(file);
    // No deviation row: the limits stand in rows 8 and 9.
    EXPECT_EQ(w.data.value["A7"], u"Average");
    EXPECT_EQ(w.data.value["A8"], u"Min Limit");
    const QList<ReadSeries> series = chartSeries(w.chart);
    ASSERT_EQ(series.size(), 4);
    EXPECT_EQ(series[2].points, QStringList({w.data.value["B9"]})); // maximum
    EXPECT_EQ(series[3].points, QStringList({w.data.value["B8"]})); // minimum
}

TEST_F(ExportWriters, WorkbookWithoutChartAndWithFiveThousandReadings)
{
    const QString plain = path(QStringLiteral("plain.xlsx"));
    ASSERT_EQ(writeWorkbook(buildWorkbook(input(2), false), plain, true), QString());
    EXPECT_FALSE(QString::fromUtf8(zipEntry(plain, QStringLiteral("xl/workbook.xml"))).contains(u"Chart"));
    EXPECT_TRUE(zipEntry(plain, QStringLiteral("xl/charts/chart1.xml")).isEmpty());

    const QString big = path(QStringLiteral("big.xlsx"));
    ASSERT_EQ(writeWorkbook(buildWorkbook(input(5000), true), big, true), QString());
    const Workbook w = readWorkbook(big);
    EXPECT_EQ(w.data.value["B5012"], u"5000");
    EXPECT_EQ(w.data.value["B5013"], QString());
    for (const ReadSeries& s : chartSeries(w.chart)) EXPECT_EQ(s.points.size(), 5000);
    // Printed one page wide with the heading of the readings on each page;
    // about ten numbers along the chart's axis, at a round step.
    const QString sheet = QString::fromUtf8(zipEntry(big, QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_TRUE(sheet.contains(u"fitToPage=\"1\"")) << sheet.left(2000).toStdString();
    EXPECT_TRUE(sheet.contains(u"fitToHeight=\"0\""));
    EXPECT_TRUE(QString::fromUtf8(zipEntry(big, QStringLiteral("xl/workbook.xml")))
                    .contains(u"_xlnm.Print_Titles\" localSheetId=\"1\">Messwerte!$11:$11"))
        << zipEntry(big, QStringLiteral("xl/workbook.xml")).toStdString();
    EXPECT_TRUE(QString::fromUtf8(w.chart).contains(u"<c:tickLblSkip val=\"500\"/>"));
}

// A reading converted on the way in (0.82 kA/m × 10) carries binary noise:
// every number in the sheet and the chart's cache has the digits it has.
TEST_F(ExportWriters, WorkbookNumbersHaveTheDigitsTheyHave)
{
    WorkbookInput in = input(3);
    in.rows[0].wert = 0.82 * 10;
    in.rows[1].wert = 98.4;
    in.rows[2].wert = -0.83 * 10;
    const QString file = path(QStringLiteral("digits.xlsx"));
    ASSERT_EQ(writeWorkbook(buildWorkbook(in, true), file, true), QString());
    const QByteArray sheet = zipEntry(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QByteArray chart = zipEntry(file, QStringLiteral("xl/charts/chart1.xml"));
    for (const QByteArray& xml : {sheet, chart}) {
        EXPECT_FALSE(xml.contains("99999999")) << xml.toStdString();
        EXPECT_FALSE(xml.contains("00000001")) << xml.toStdString();
    }
    EXPECT_TRUE(sheet.contains("<v>8.2</v>"));
    EXPECT_TRUE(sheet.contains("<v>98.4</v>"));
    EXPECT_TRUE(sheet.contains("<v>-8.3</v>"));
    EXPECT_TRUE(chart.contains("<c:v>8.2</c:v>"));
    EXPECT_EQ(readWorkbook(file).data.value.size(), readWorkbook(file).data.value.size()); // still a workbook
}

TEST(WorkbookNumbers, OnlyNumbersInValueElementsAreRewritten)
{
    EXPECT_EQ(withShortestNumbers("<c r=\"C1\"><v>8.199999999999999</v></c><c t=\"s\"><v>12</v></c>"),
              QByteArray("<c r=\"C1\"><v>8.2</v></c><c t=\"s\"><v>12</v></c>"));
    EXPECT_EQ(withShortestNumbers("<c:pt idx=\"0\"><c:v>98.40000000000001</c:v></c:pt><c:v>Messwerte</c:v>"),
              QByteArray("<c:pt idx=\"0\"><c:v>98.4</c:v></c:pt><c:v>Messwerte</c:v>"));
    EXPECT_EQ(withShortestNumbers("<f>A1*1.0000000000000002</f><v>1E-3</v><v>"), QByteArray("<f>A1*1.0000000000000002</f><v>0.001</v><v>"));
}

TEST_F(ExportWriters, WorkbookThatCannotBeWrittenSaysWhy)
{
    EXPECT_FALSE(writeWorkbook(buildWorkbook(input(1), true), path(QStringLiteral("missing/w.xlsx")), true).isEmpty());
}

// The document's paragraphs with runs of blanks expanded, and its text styles.
struct ReadDocument {
    QStringList lines;
    QString styles;
};

ReadDocument readDocument(const QString& path)
{
    const QByteArray xml = zipEntry(path, QStringLiteral("content.xml"));
    ReadDocument d;
    d.styles = QString::fromUtf8(xml.left(xml.indexOf("<office:body>")));
    QXmlStreamReader r(xml);
    bool inParagraph = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"p") {
            d.lines << QString();
            inParagraph = true;
        } else if (r.isEndElement() && r.name() == u"p") {
            inParagraph = false;
        } else if (inParagraph && r.isStartElement() && r.name() == u"s") {
            const int c = r.attributes().hasAttribute(QLatin1String("text:c")) ? r.attributes().value(QLatin1String("text:c")).toInt() : 1;
            d.lines.last() += QString(c, u' ');
        } else if (inParagraph && r.isCharacters() && !r.isWhitespace()) {
            d.lines.last() += r.text();
        }
    }
    return d;
}

TEST_F(ExportWriters, DocumentHoldsTheReportALinePerParagraphInOneFixedFont)
{
    const QString report = QStringLiteral("NFE-Speicher\r\n\r\nStatistik:\r\nAnzahl            3\r\n  1   10.0 µm <&>\r\n");
    const QString file = path(QStringLiteral("r.odt"));
    ASSERT_EQ(writeReportDocument(report, file, true), QString());
    EXPECT_EQ(zipEntry(file, QStringLiteral("mimetype")), "application/vnd.oasis.opendocument.text");
    const ReadDocument d = readDocument(file);
    EXPECT_EQ(d.lines, report.split(QStringLiteral("\r\n")));
    // Every paragraph, empty ones too, in the one style of the report:
    // Lucida Console 10 pt, not bold, a font of fixed pitch.
    const QString content = QString::fromUtf8(zipEntry(file, QStringLiteral("content.xml")));
    EXPECT_EQ(content.count(u"<text:p text:style-name=\"Report\""), d.lines.size());
    const QString styles = QString::fromUtf8(zipEntry(file, QStringLiteral("styles.xml")));
    static const QRegularExpression reportStyle(QStringLiteral(
        "<style:style style:name=\"Report\" style:family=\"paragraph\">.*<style:text-properties ([^>]*)/>"));
    const QString properties = reportStyle.match(styles).captured(1);
    EXPECT_EQ(properties, u"style:font-name=\"Lucida Console\" fo:font-size=\"10pt\" fo:font-weight=\"normal\"");
    EXPECT_TRUE(styles.contains(u"style:font-pitch=\"fixed\""));
    // Every page numbered in its footer.
    static const QRegularExpression pageNumber(QStringLiteral(
        "<office:master-styles><style:master-page style:name=\"Standard\" style:page-layout-name=\"ReportPage\">"
        "<style:footer><text:p [^>]*><text:page-number text:select-page=\"current\""));
    EXPECT_TRUE(pageNumber.match(styles).hasMatch()) << styles.toStdString();
    EXPECT_TRUE(zipEntry(file, QStringLiteral("META-INF/manifest.xml")).contains("content.xml"));
}

TEST_F(ExportWriters, ExportsLandUnderNewNamesAndFailuresLeaveNothing)
{
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 3, 22));
    EXPECT_EQ(exportFileName(QStringLiteral("Messwerte"), when, QStringLiteral("xlsx")), u"Messwerte_2026-12-07_14-03-22.xlsx");
    const QString folder = path(QStringLiteral("export"));
    auto writeText = [](const QByteArray& text) {
        return [text](const QString& p) {
            QFile f(p);
            return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() ? QString() : f.errorString();
        };
    };
    // Two in one second: the second gets a number, the first stays as it was.
    const ExportOutcome first = saveExport(folder, QStringLiteral("Bericht"), QStringLiteral("odt"), when, true, writeText("1"));
    const ExportOutcome second = saveExport(folder, QStringLiteral("Bericht"), QStringLiteral("odt"), when, true, writeText("2"));
    ASSERT_EQ(first.failure, QString());
    ASSERT_EQ(second.failure, QString());
    EXPECT_TRUE(second.path.endsWith(u"Bericht_2026-12-07_14-03-22_2.odt"));
    QFile one(first.path);
    ASSERT_TRUE(one.open(QIODevice::ReadOnly));
    EXPECT_EQ(one.readAll(), "1");
#ifdef Q_OS_UNIX
    // Readable as any file the user makes, not private as its temporary was.
    const mode_t mask = ::umask(022);
    const ExportOutcome shared = saveExport(folder, QStringLiteral("Shared"), QStringLiteral("xlsx"), when, true, writeText("3"));
    ::umask(mask);
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(shared.path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
    QFile::remove(shared.path);
#endif

    // A writer that fails: its message, with the file's name, and no file.
    const ExportOutcome failed = saveExport(folder, QStringLiteral("Report"), QStringLiteral("odt"), when, false,
                                            [](const QString&) { return QStringLiteral("No space left on device"); });
    EXPECT_TRUE(failed.failure.startsWith(u"The file ")) << failed.failure.toStdString();
    EXPECT_TRUE(failed.failure.contains(u"Report_2026-12-07_14-03-22.odt cannot be written: No space left on device"))
        << failed.failure.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A file where the folder should be.
    QFile blocker(path(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ExportOutcome noFolder = saveExport(path(QStringLiteral("blocked")), QStringLiteral("Messwerte"),
                                              QStringLiteral("xlsx"), when, true, writeText("x"));
    EXPECT_TRUE(noFolder.failure.startsWith(u"Der Ordner ")) << noFolder.failure.toStdString();
}

} // namespace
