// The report handed to the clipboard and to the printer: the same text as
// the measurement file of the table on show.

#include "MeasurementText.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kVelo = u"VELO-PROBA RIDIVORI"_s;
const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

// The lines of a text with every run of blanks made one blank, blank lines
// left out: what survives the way through a PDF.
QStringList collapsedLines(const QString& text)
{
    static const QRegularExpression blanks(u"[ \\t\\f]+"_s);
    QStringList lines;
    for (QString line : text.split(QRegularExpression(u"\\r?\\n"_s))) {
        line = line.replace(blanks, u" "_s).trimmed();
        if (!line.isEmpty()) lines << line;
    }
    return lines;
}

QStringList pdfFilesUnder(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, {u"*.pdf"_s}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) found << it.next();
    return found;
}

struct ClipboardCase {
    const char* name;
    QString locale;
    QString switchLanguage; // script lines after Connect
    QString firstLines;     // how the report begins
};

void PrintTo(const ClipboardCase& c, std::ostream* os) { *os << c.name; }

class OutputClipboard : public testing::TestWithParam<ClipboardCase> {};

TEST_P(OutputClipboard, HoldsTheSavedFileOnce)
{
    const ClipboardCase& c = GetParam();
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(c.locale);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kVelo) + u"/mes"_s;
    const DriveResult result = bench.connect(kUntilIdle + c.switchLanguage
                                             + u"click cmdClipboard\nclick cmdClipboard\nclipboard\n"_s
                                             + saveScript(mes + u"/report"_s));
    ASSERT_EQ(result.dumps.size(), 1);
    ASSERT_EQ(result.clipboards.size(), 1);
    EXPECT_TRUE(result.dumps[0].messages().isEmpty());
    const QString clip = result.clipboards[0];
    const QString file = fromCp1252(DriveSession::readFile(mes + u"/report.mes"_s));
    ASSERT_TRUE(file.endsWith(u"\r\n\r\n"_s));
    // The file has one line end more than the report.
    EXPECT_EQ(clip + u"\r\n"_s, file);
    EXPECT_TRUE(clip.startsWith(c.firstLines)) << clip.left(40).toStdString();
    EXPECT_EQ(clip.count(c.firstLines), 1) << "more than one copy";
}

INSTANTIATE_TEST_SUITE_P(
    , OutputClipboard,
    testing::Values(ClipboardCase{"German", u"de_DE"_s, {}, u"NFE-Speicher\r\n\r\nStatistik:\r\n"_s},
                    ClipboardCase{"English", u"en_US"_s, u"click English\nwait-ms 300\n"_s,
                                  u"NFE-Memory\r\n\r\nStatistics:\r\n"_s}),
    [](const testing::TestParamInfo<ClipboardCase>& info) { return std::string(info.param.name); });

TEST(Output, PrintoutHoldsTheReport)
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    // Enough readings for more than one page.
    QList<QByteArray> lines;
    for (int n = 1; n <= 120; ++n) lines << recordLine(n, n % 3 ? "48.2" : "-1.7", "µm");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const QString pdf = bench.session.path(u"report.pdf"_s);
    const DriveResult result = bench.connect(kUntilIdle + saveScript(mes + u"/report"_s) + u"print-to-pdf "_s + pdf
                                             + u"\nclick cmdprint\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_TRUE(result.dumps[1].messages().isEmpty());
    ASSERT_TRUE(DriveSession::readFile(pdf).startsWith("%PDF")) << "no PDF was printed";

    QProcess convert;
    convert.start(pdftotext, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    ASSERT_TRUE(convert.waitForFinished(15000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    const QString printed = QString::fromUtf8(convert.readAllStandardOutput());
    EXPECT_GE(printed.count(u'\f'), 2) << "the report fits one page";
    // Pages from the second on end with their number.
    QStringList printedLines;
    const QStringList pages = printed.split(u'\f', Qt::SkipEmptyParts);
    for (int p = 0; p < pages.size(); ++p) {
        QStringList lines = collapsedLines(pages[p]);
        if (p > 0) {
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_EQ(lines.takeLast(), QString::number(p + 1));
        }
        printedLines << lines;
    }
    const QString report = fromCp1252(DriveSession::readFile(mes + u"/report.mes"_s));
    ASSERT_GT(collapsedLines(report).size(), 120);
    EXPECT_EQ(printedLines, collapsedLines(report));
}

TEST(Output, AnEmptyTableOffersNothingToHandOn)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    // Online from Connect on; no reading comes while the test looks.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s, u"--interval-ms"_s, u"60000"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.grid(d), Grid({germanHeading()}));
    // An empty table would hand on the figures of the last one.
    for (const QString& name : names({"cmdClipboard", "cmdprint", "cmdWord", "cmdExcel", "mnuCsv", "mnuAbnahme"}))
        EXPECT_FALSE(d.enabled(name)) << name.toStdString();
    EXPECT_TRUE(d.enabled(u"cmdSave"_s));
    EXPECT_TRUE(d.messages().isEmpty());
}

TEST(Output, CancelledPrinterDialogPrintsNothing)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString root = bench.session.path(QString());
    const QString pdf = bench.session.path(u"after.pdf"_s);
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdprint\n"_s + kUntilIdle + u"dump\nprint-to-pdf "_s + pdf + u"\nclick cmdprint\n"_s
            + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_TRUE(result.dumps[0].messages().isEmpty());
    // The next print, with a printer chosen, prints; it is the only PDF
    // anywhere in the test's folders (checked once the program has ended,
    // so a slow run cannot mistake the second print for the first).
    EXPECT_TRUE(DriveSession::readFile(pdf).startsWith("%PDF"));
    EXPECT_EQ(pdfFilesUnder(root), QStringList({pdf}));
}

// A print that cannot be written names the file and the system's reason,
// and leaves nothing behind.
TEST(Output, PrintFailureNamesTheFileAndTheReason)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString inMissingFolder = bench.session.path(u"missing/report.pdf"_s);
    const QString aFolder = bench.session.path(u"folder.pdf"_s);
    QDir().mkpath(aFolder);
    const QString print = u"\nclick cmdprint\n"_s + kUntilIdle + u"dump\n"_s;
    const DriveResult result =
        bench.connect(kUntilIdle + u"print-to-pdf "_s + inMissingFolder + print + u"print-to-pdf "_s + aFolder + print
                      + u"click English\nwait-ms 300\nprint-to-pdf "_s + inMissingFolder + print);
    ASSERT_EQ(result.dumps.size(), 3);
    const std::pair<QString, QString> cases[] = {
        {u"Drucken nicht möglich: "_s, inMissingFolder},
        {u"Drucken nicht möglich: "_s, aFolder},
        {u"Printing failed: "_s, inMissingFolder},
    };
    const QStringList log = logLines(bench.session, kSivar);
    for (int i = 0; i < 3; ++i) {
        const auto& [prefix, file] = cases[i];
        const QStringList texts = messageTexts(result.dumps[i]);
        ASSERT_EQ(texts.size(), 1) << i;
        const QString named = prefix + QDir::toNativeSeparators(file);
        EXPECT_TRUE(texts[0].startsWith(named)) << texts[0].toStdString();
        EXPECT_GT(texts[0].size(), named.size() + 2) << "no reason given: " << texts[0].toStdString();
        EXPECT_EQ(log.count(texts[0]), 1) << texts[0].toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(bench.session.path(u"missing"_s)));
    EXPECT_TRUE(folderEntries(aFolder).isEmpty());
}

} // namespace
