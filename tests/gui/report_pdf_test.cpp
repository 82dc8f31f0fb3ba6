// The inspection report as a PDF, read back as a reader of it would:
// pdftotext for every text and reading, pdffonts for the fonts, pdfinfo
// for the paper.

#include "output/CustomerReport.h"
#include "ui/ReportPdf.h"
#include "shared/LocaleNumber.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kivo {
namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 5000 readings between 60 and 140 µm, limits at 80 and 120, SSPC-PA 2 chosen.
ReportSource fiveThousand(bool german)
{
    ReportSource s;
    s.german = german;
    s.locale = languageLocale(german);
    s.brand = QStringLiteral("Brenvor");
    s.program = QStringLiteral("RK-SIVAR RIDIVORI V3.02");
    s.gaugeModel = QStringLiteral("RKS");
    s.gaugeVersion = QStringLiteral("2.05");
    s.serial = QStringLiteral("SN 4711");
    s.memory = QStringLiteral("FE-Speicher");
    s.captions = {QStringLiteral("Kunde"), QStringLiteral("Auftrag"), QStringLiteral("Prüfer")};
    // The longest field the project window takes, never cut short.
    s.fields = {QStringLiteral("Werft Nord"), QStringLiteral("A-2026-117-WWWWWWWWWWWWWWWWWWX"), QStringLiteral("M. Berger")};
    for (int i = 1; i <= 5000; ++i) {
        const double v = 60 + (i * 37 % 801) / 10.0;
        s.readings.push_back({i, v, QStringLiteral("µm  "), QStringLiteral(" Fe"), QStringLiteral("07.12.2026"),
                              QStringLiteral("%1:%2:%3").arg(8 + i / 3600).arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'))});
        s.counted.push_back(v);
    }
    s.limits.Emin = 80;
    s.limits.Emax = 120;
    s.limits.Esoll = 100;
    s.tableName = QStringLiteral("FE-Speicher");
    Judgement j;
    j.rule = JudgeRule::SspcPa2;
    j.nominal = 80;
    j.maximum = 120;
    s.judgement = j;
    s.madeAt = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
    return s;
}

class ReportPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils are not installed";
    }
    QTemporaryDir dir;
};

TEST_F(ReportPdf, EveryReadingHeadVerdictAndPageLineReadBack)
{
    const ReportSource source = fiveThousand(true);
    const CustomerReport report = buildCustomerReport(source);
    const QString path = dir.filePath(QStringLiteral("bericht.pdf"));
    ASSERT_EQ(writeReportPdf(report, path), QString());

    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    EXPECT_TRUE(QString(text).remove(u'\n').contains(QStringLiteral("A-2026-117-WWWWWWWWWWWWWWWWWWX")));
    for (const char* expected : {"Prüfbericht", "Brenvor – RK-SIVAR RIDIVORI V3.02", "RKS", "SN 4711", "2.05", "FE-Speicher",
                                 "Kunde:", "Werft Nord", "Prüfer:", "M. Berger", "Anzahl:", "5.000", "Variationskoeffizient:",
                                 "unter der Untergrenze:", "über der Obergrenze:", "Abnahmeprüfung: SSPC-PA 2",
                                 "Geprüft: FE-Speicher, 5000 Messwerte", "Unterschrift:"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(text.contains(report.verdict)) << report.verdict.toStdString();

    // Every page says which of how many it is, and there are at most 30.
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    const int count = int(pages.size());
    EXPECT_LE(count, 30);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(count))) << "page " << i + 1;

    // Every reading once, with its value; those outside the limits marked.
    static const QRegularExpression row(QStringLiteral("(?:^|\\s)(\\d+) (\\d+,\\d) µm Fe \\d+:\\d\\d:\\d\\d( [▲▼])?"));
    QSet<int> seen;
    int marked = 0;
    for (auto m = row.globalMatch(text); m.hasNext();) {
        const QRegularExpressionMatch hit = m.next();
        const int nr = hit.captured(1).toInt();
        ASSERT_GE(nr, 1);
        ASSERT_LE(nr, 5000);
        EXPECT_EQ(hit.captured(2), formatFixed(source.readings[size_t(nr - 1)].value, 1, source.locale)) << nr;
        const Side side = sideOf(source.readings[size_t(nr - 1)].value, true, source.limits);
        EXPECT_EQ(hit.captured(3).trimmed(), sideMark(side)) << nr;
        if (!hit.captured(3).isEmpty()) ++marked;
        seen.insert(nr);
    }
    EXPECT_EQ(seen.size(), 5000);
    int outside = 0;
    for (const ReportCell& c : report.cells) outside += c.side == Side::Below || c.side == Side::Above;
    EXPECT_EQ(marked, outside);
    EXPECT_GT(outside, 1000);

    // Every font is embedded.
    const QStringList fonts = run(QStringLiteral("pdffonts"), {path}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& line : fonts) EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("(A4)")));
}

TEST_F(ReportPdf, LetterPaperEnglishAndAFileThatCannotBeWritten)
{
    ReportSource source = fiveThousand(false);
    source.readings.resize(12);
    source.counted.resize(12);
    source.judgement.reset();
    source.letter = true;
    const CustomerReport report = buildCustomerReport(source);
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_EQ(writeReportPdf(report, path), QString());
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("612 x 792 pts (letter)")));
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Inspection report")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("Signature:")));
    EXPECT_FALSE(text.contains(QStringLiteral("Acceptance check"))) << "no check was chosen";

    // An older report stays whole when the new one cannot be written.
    const QString missing = dir.filePath(QStringLiteral("no folder/report.pdf"));
    EXPECT_FALSE(writeReportPdf(report, missing).isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
} // namespace kivo
