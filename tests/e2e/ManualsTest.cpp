// The twelve manuals as the build makes them, read back from the PDF files:
// each names its own model and no other, the DORNA's says nothing of FE and
// NFE memories nor of reading a memory, and the contents give the pages the
// chapters start on.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kModels[] = {"RK-TALO", "ZORMA-PROBA", "RK-SIVAR", "RK-MENO", "VELO-PROBA", "DORNA"};

// The pages of a PDF as text, in their layout.
QStringList pdfPages(const QString& pdftotext, const QString& pdf)
{
    QProcess convert;
    convert.start(pdftotext, {u"-layout"_s, pdf, u"-"_s});
    if (!convert.waitForFinished(30000) || convert.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(convert.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

class ManualsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    }

    QStringList pages(const char* language, const char* model) const
    {
        return pdfPages(pdftotext, QDir(QStringLiteral(KIVO_MANUALS_DIR))
                                       .filePath(u"%1_Manual_%2_TRANSFER.pdf"_s.arg(QLatin1String(language), QLatin1String(model))));
    }

    QString pdftotext;
};

TEST_F(ManualsTest, EachNamesItsOwnModelAndNoOther)
{
    for (const char* language : {"DE", "EN"}) {
        for (const char* model : kModels) {
            const std::string what = std::string(language) + " " + model;
            const QStringList text = pages(language, model);
            ASSERT_GE(text.size(), 8) << what;
            EXPECT_TRUE(text[0].contains(QLatin1String(model) + u" RIDIVORI"_s)) << what;
            const QString whole = text.join(u'\f');
            for (const char* other : kModels) {
                if (QLatin1String(other) == QLatin1String(model)) continue;
                EXPECT_FALSE(whole.contains(QLatin1String(other))) << what << " names " << other;
            }
        }
    }
}

TEST_F(ManualsTest, TheDornaHasNoMemories)
{
    static const QRegularExpression feNfe(u"\\bN?FE\\b"_s);
    for (const char* language : {"DE", "EN"}) {
        const QString whole = pages(language, "DORNA").join(u'\f');
        ASSERT_FALSE(whole.isEmpty()) << language;
        const QRegularExpressionMatch fe = feNfe.match(whole);
        EXPECT_FALSE(fe.hasMatch()) << language << ": " << whole.mid(fe.capturedStart() - 40, 80).toStdString();
        EXPECT_FALSE(whole.contains(u"Speicher einlesen"_s) || whole.contains(u"Read Storage"_s)) << language;
        // The models with memories do speak of them.
        EXPECT_TRUE(pages(language, "VELO-PROBA").join(u'\f').contains(u"NFE"_s)) << language;
    }
}

TEST_F(ManualsTest, TheContentsGiveThePagesOfTheChapters)
{
    static const QRegularExpression chapterLine(u"^\\s*(\\d+ \\S.*?)\\s{2,}(\\d+)\\s*$"_s);
    for (const char* language : {"DE", "EN"}) {
        for (const char* model : kModels) {
            const std::string what = std::string(language) + " " + model;
            const QStringList text = pages(language, model);
            ASSERT_GE(text.size(), 3) << what;
            const QStringList contents = text[1].split(u'\n');
            EXPECT_EQ(contents.value(0).trimmed(), QLatin1String(QByteArrayView(language) == "DE" ? "Inhalt" : "Contents")) << what;
            int chapters = 0;
            int lastPage = 2;
            for (const QString& line : contents) {
                const QRegularExpressionMatch m = chapterLine.match(line);
                if (!m.hasMatch()) continue;
                ++chapters;
                const QString title = m.captured(1);
                const int page = m.captured(2).toInt();
                EXPECT_GE(page, lastPage) << what << ": " << title.toStdString();
                lastPage = page;
                ASSERT_LE(page, text.size()) << what;
                // The chapter's heading is a line of its own on that page.
                bool found = false;
                for (const QString& pageLine : text[page - 1].split(u'\n')) found = found || pageLine.trimmed() == title;
                EXPECT_TRUE(found) << what << ": \"" << title.toStdString() << "\" is not on page " << page;
            }
            EXPECT_GE(chapters, 14) << what;
        }
    }
}

} // namespace
