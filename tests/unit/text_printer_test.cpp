// Plain text on a PDF printer: the lines fill a page before the next one
// starts, and the empty lines a report ends with start none.

#include "ui/TextPrinter.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

// Printing needs the fonts of a GUI application.
void ensureGuiApplication()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "kivo_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

class TextPrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApplication();
        ASSERT_TRUE(dir.isValid());
    }

    // Pages of the PDF the text prints to.
    int printedPages(const QString& text)
    {
        const QString path = dir.filePath(QStringLiteral("print%1.pdf").arg(++prints));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        EXPECT_TRUE(printText(printer, text));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return -1;
        static const QRegularExpression page(QStringLiteral(R"(/Type\s*/Page(?![A-Za-z]))"));
        return int(QString::fromLatin1(file.readAll()).count(page));
    }

    QTemporaryDir dir;
    int prints = 0;
};

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i) lines << QStringLiteral("line %1").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

TEST_F(TextPrinterTest, EmptyLinesAtTheEndStartNoPage)
{
    // The most lines that fit on the first page, found by printing.
    int fits = 1;
    int tooMany = 400;
    ASSERT_EQ(printedPages(numberedLines(fits)), 1);
    ASSERT_EQ(printedPages(numberedLines(tooMany)) > 1, true);
    while (tooMany - fits > 1) {
        const int middle = (fits + tooMany) / 2;
        (printedPages(numberedLines(middle)) == 1 ? fits : tooMany) = middle;
    }
    const QString fullPage = numberedLines(fits);
    // The report's own line end and the one the print adds.
    EXPECT_EQ(printedPages(fullPage + QStringLiteral("\r\n\r\n")), 1);
    EXPECT_EQ(printedPages(fullPage + QStringLiteral("\r\n\r\n  \r\n\n")), 1);
    // An empty line before more text still takes its place.
    EXPECT_EQ(printedPages(fullPage + QStringLiteral("\r\n\r\nmore")), 2);
    EXPECT_EQ(printedPages(QString()), 1);
}

TEST_F(TextPrinterTest, MarginsOfFifteenMillimetresAndNumbersFromPageTwo)
{
    const QString path = dir.filePath(QStringLiteral("numbered.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageMargins(QMarginsF(5, 30, 5, 5), QPageLayout::Millimeter);
    ASSERT_TRUE(printText(printer, numberedLines(150)));
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(15, 30, 15, 15));

    QProcess convert;
    convert.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!convert.waitForFinished(15000) || convert.exitCode() != 0) GTEST_SKIP() << "pdftotext is not installed";
    const QStringList pages = QString::fromUtf8(convert.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    auto lastLine = [](const QString& page) { return page.trimmed().split(u'\n').last().trimmed(); };
    EXPECT_TRUE(lastLine(pages[0]).startsWith(QStringLiteral("line "))); // the first page has no number
    EXPECT_EQ(lastLine(pages[1]), QStringLiteral("2"));
    EXPECT_EQ(lastLine(pages[2]), QStringLiteral("3"));
    EXPECT_TRUE(QString(pages.join(QString())).contains(QStringLiteral("line 150")));
}

} // namespace
