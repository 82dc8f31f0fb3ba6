// The manual's pages: no heading alone at the foot of a page, the contents
// with the pages the chapters are on, pictures 1:1 unless wider than the
// text.

#include "ManualDocument.h"
#include "ManualText.h"
#include "QtPrinters.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextImageFormat>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

// Laying out text needs the fonts of a GUI application.
void ensureGuiApplication()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "kivo_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

const QSizeF kSmallPage(300, 200);

QString filler(int paragraphs)
{
    QString text;
    for (int i = 0; i < paragraphs; ++i) text += QStringLiteral("Filler line %1.\n\n").arg(i);
    return text;
}

void load(QTextDocument& document, const QString& markdown)
{
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setDocumentMargin(0);
    document.setMarkdown(markdown);
    document.setPageSize(kSmallPage);
}

// Pages of a heading's last line and of the first line of what follows it.
std::vector<std::pair<int, int>> headingPages(const QTextDocument& document)
{
    std::vector<std::pair<int, int>> pages;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() >= 2 && block.next().isValid())
            pages.emplace_back(pageOf(document, block, true), pageOf(document, block.next()));
    return pages;
}

class ManualDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApplication(); }
};

TEST_F(ManualDocumentTest, NoHeadingIsLeftAloneAtTheFootOfAPage)
{
    // Headings pushed down line by line: some land at the foot of a page,
    // and a chapter's heading followed at once by a section's must go
    // along with it.
    int alone = 0;
    for (int lines = 0; lines < 24; ++lines) {
        QTextDocument document;
        load(document, filler(lines) + QStringLiteral("## Chapter\n\n### Section\n\nThe section's text.\n\n") + filler(3));
        for (const auto& [heading, text] : headingPages(document)) alone += heading != text;
        const int moved = keepHeadingsWithText(document);
        for (const auto& [heading, text] : headingPages(document)) EXPECT_EQ(heading, text) << lines << " lines before";
        EXPECT_LE(moved, 2) << lines;
    }
    EXPECT_GT(alone, 1) << "no heading was ever alone: the case is not tried";
}

TEST_F(ManualDocumentTest, AHeadingWhoseTextIsTallerThanAPageStaysWhereItIs)
{
    QTextDocument document;
    load(document, QStringLiteral("## Chapter\n\n") + QString(4000, u'x') + QStringLiteral("\n"));
    EXPECT_EQ(keepHeadingsWithText(document), 0);
}

TEST_F(ManualDocumentTest, ContentsWithThePagesOfTheChapters)
{
    QTextDocument document;
    load(document, QStringLiteral("# Title\n\nVersion 1\n\n## 1 Start\n\n") + filler(20)
                       + QStringLiteral("### Folders\n\n") + filler(20) + QStringLiteral("## 2 Online\n\nText.\n"));
    titlePage(document);
    const std::vector<ContentsLine> contents = insertContents(document, QStringLiteral("Contents"), kSmallPage.width());
    keepHeadingsWithText(document);
    numberContents(document, contents);

    ASSERT_EQ(contents.size(), 3u);
    const QStringList titles = {QStringLiteral("1 Start"), QStringLiteral("Folders"), QStringLiteral("2 Online")};
    int lastPage = 0;
    for (size_t i = 0; i < contents.size(); ++i) {
        const int page = pageOf(document, contents[i].heading);
        EXPECT_EQ(contents[i].heading.text(), titles[int(i)]);
        EXPECT_EQ(contents[i].line.text(), titles[int(i)] + u'\t' + QString::number(page));
        EXPECT_GT(page, lastPage);
        lastPage = page;
    }
    // The title alone on page 1, the contents on page 2, the first chapter
    // on the page after them.
    const QTextBlock contentsTitle = contents.front().line.previous();
    EXPECT_EQ(contentsTitle.text(), u"Contents");
    EXPECT_EQ(contentsTitle.blockFormat().headingLevel(), 0);
    EXPECT_EQ(pageOf(document, document.begin().next()), 1);
    EXPECT_EQ(pageOf(document, contentsTitle), 2);
    EXPECT_EQ(pageOf(document, contents.back().line), 2);
    EXPECT_EQ(pageOf(document, contents.front().heading), 3);
}

TEST_F(ManualDocumentTest, PicturesOneToOneUnlessWiderThanTheText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage(200, 50, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("narrow.png")));
    QImage(800, 100, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("wide.png")));
    QTextDocument document;
    document.setMarkdown(QStringLiteral("![a](narrow.png)\n\nText ![b](wide.png)\n"));
    fitPictures(document, dir.path(), 500);

    std::vector<QTextImageFormat> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) pictures.push_back(it.fragment().charFormat().toImageFormat());
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_FALSE(pictures[0].hasProperty(QTextFormat::ImageWidth)); // its own size
    EXPECT_EQ(pictures[0].name(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("narrow.png"))).toString());
    EXPECT_DOUBLE_EQ(pictures[1].width(), 500);
    EXPECT_DOUBLE_EQ(pictures[1].height(), 62.5);
    // A picture alone in its paragraph is centred, one in a sentence is not.
    EXPECT_EQ(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_NE(document.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

// The manuals themselves, laid out as kivo-manuals lays them out: every
// block has its place on a page (Qt's partial layout after a change of the
// page breaks once left the second half of a manual without one), no
// heading stands apart from its text, and the contents give the pages.
TEST_F(ManualDocumentTest, EveryManualLaidOutWhole)
{
    for (const char* language : {"DE", "EN"}) {
        QFile file(QStringLiteral(KIVO_MANUAL_DIR "/") + QLatin1String(language) + QStringLiteral(".md"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << language;
        const QString markdown = QString::fromUtf8(file.readAll());
        for (ManualModel model : manualModels()) {
            const std::string what = std::string(language) + " " + model.name.toStdString();
            model.picture = QStringLiteral(KIVO_INSTALL_PICTURES "/") + model.picture;
            QTextDocument document;
            layOutManual(document, manualText(markdown, model).text, QStringLiteral(KIVO_MANUAL_DIR), manualPage(),
                         QStringLiteral("Contents"));
            int lastPage = 0;
            for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
                if (block.length() > 1) {
                    EXPECT_GT(document.documentLayout()->blockBoundingRect(block).height(), 0)
                        << what << ": " << block.text().toStdString();
                }
                lastPage = qMax(lastPage, pageOf(document, block, true));
            }
            EXPECT_EQ(lastPage, document.pageCount()) << what;
            EXPECT_GE(document.pageCount(), 8) << what;
            for (const auto& [heading, text] : headingPages(document)) EXPECT_EQ(heading, text) << what;
            // The contents: the title's page, the chapters in order after it.
            int contentsPage = 0;
            for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
                if (block.text() == u"Contents") contentsPage = pageOf(document, block);
                if (block.blockFormat().headingLevel() != 2) continue;
                EXPECT_GT(pageOf(document, block), contentsPage) << what;
            }
            EXPECT_EQ(contentsPage, 2) << what;
        }
    }
}

} // namespace
