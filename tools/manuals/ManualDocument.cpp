#include "ManualDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QImageReader>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>
#include <cmath>

namespace kivo {

namespace {

constexpr qreal kPixelsPerMm = 96 / 25.4;
constexpr qreal kTitleDrop = 160;       // the title stands this far down its page
constexpr qreal kSectionIndent = 24;    // a section's line in the contents, under its chapter's
constexpr qreal kChapterGap = 6;        // above a chapter's line in the contents
constexpr qreal kChapterSpace = 18;     // above a chapter's heading
constexpr qreal kSectionSpace = 10;     // above a section's heading

bool onlyPictures(const QTextBlock& block)
{
    bool picture = false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().isImageFormat()) picture = true;
        else if (!fragment.text().trimmed().isEmpty()) return false;
    }
    return picture;
}

void setAlignment(const QTextBlock& block, Qt::Alignment alignment)
{
    QTextBlockFormat format = block.blockFormat();
    format.setAlignment(alignment);
    QTextCursor(block).setBlockFormat(format);
}

QTextBlock firstChapter(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == 2) return block;
    return {};
}

// After a change of its page breaks Qt lays a paged document out again only
// from the change on, and can leave later blocks without a place; setting
// the page size anew lays out the whole document.
void layOutAgain(QTextDocument& document) { document.setPageSize(document.pageSize()); }

// Room above the headings, so a chapter stands apart from the one before.
void spaceHeadings(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2) continue;
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(level == 2 ? kChapterSpace : kSectionSpace);
        QTextCursor(block).setBlockFormat(format);
    }
}

// Tables with room around their cells' text.
void spaceTables(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        QTextTableFormat format = table->format();
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setBorderCollapse(true);
        table->setFormat(format);
    }
}

} // namespace

ManualPage manualPage()
{
    // A4; the lower margin is the wider one, for the page number.
    return {QSizeF(210 * kPixelsPerMm, 297 * kPixelsPerMm),
            QMarginsF(20 * kPixelsPerMm, 20 * kPixelsPerMm, 20 * kPixelsPerMm, 25 * kPixelsPerMm)};
}

void fitPictures(QTextDocument& document, const QString& baseFolder, qreal textWidth)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QString file = QDir(baseFolder).absoluteFilePath(image.name());
            image.setName(QUrl::fromLocalFile(file).toString());
            const QSize size = QImageReader(file).size();
            if (size.isValid() && size.width() > textWidth) {
                image.setWidth(textWidth);
                image.setHeight(textWidth * size.height() / size.width());
            }
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
        if (onlyPictures(block)) setAlignment(block, Qt::AlignHCenter);
    }
}

void titlePage(QTextDocument& document)
{
    const QTextBlock chapter = firstChapter(document);
    for (QTextBlock block = document.begin(); block.isValid() && block != chapter; block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        if (block == document.begin()) format.setTopMargin(kTitleDrop);
        QTextCursor(block).setBlockFormat(format);
    }
    if (!chapter.isValid()) return;
    QTextBlockFormat format = chapter.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(chapter).setBlockFormat(format);
}

std::vector<ContentsLine> insertContents(QTextDocument& document, const QString& title, qreal textWidth)
{
    const QTextBlock chapter = firstChapter(document);
    if (!chapter.isValid()) return {};
    // The contents' title looks like a chapter's heading but is none.
    QTextBlockFormat titleFormat = chapter.blockFormat();
    titleFormat.setHeadingLevel(0);
    titleFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    const QTextCharFormat titleChars = chapter.begin().fragment().charFormat();

    // A block split at its start leaves the empty part where it was and
    // moves the text on: that empty block becomes the contents' title.
    QTextCursor cursor(&document);
    cursor.setPosition(chapter.position());
    cursor.insertBlock();
    const QTextBlock titleBlock = chapter;
    std::vector<QTextBlock> headings;
    for (QTextBlock block = titleBlock.next(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 2 || level == 3) headings.push_back(block);
    }
    cursor.setPosition(titleBlock.position());
    cursor.setBlockFormat(titleFormat);
    cursor.setBlockCharFormat(titleChars);
    cursor.insertText(title, titleChars);

    // Each line goes in at the end of the one before, which keeps its own text.
    std::vector<ContentsLine> contents;
    for (const QTextBlock& heading : headings) {
        const bool chapterLine = heading.blockFormat().headingLevel() == 2;
        QTextBlockFormat format;
        const qreal indent = chapterLine ? 0 : kSectionIndent;
        format.setLeftMargin(indent);
        if (chapterLine) format.setTopMargin(kChapterGap);
        format.setTabPositions({QTextOption::Tab(textWidth - indent, QTextOption::RightTab)});
        QTextCharFormat chars;
        if (chapterLine) chars.setFontWeight(QFont::Bold);
        cursor.insertBlock(format, chars);
        cursor.insertText(heading.text() + QStringLiteral("\t0"), chars);
        contents.push_back({heading, cursor.block()});
    }
    if (!document.pageSize().isEmpty()) layOutAgain(document);
    return contents;
}

int pageOf(const QTextDocument& document, const QTextBlock& block, bool lastLine)
{
    const qreal pageHeight = document.pageSize().height();
    const QTextLayout* layout = block.layout();
    qreal y = document.documentLayout()->blockBoundingRect(block).top();
    if (layout->lineCount() > 0) y += layout->lineAt(lastLine ? layout->lineCount() - 1 : 0).y();
    // A line stands whole on one page; half a pixel in, rounding cannot move it.
    return int(std::floor((y + 0.5) / pageHeight)) + 1;
}

int keepHeadingsWithText(QTextDocument& document)
{
    // Each move can shift every page after it, so each starts the look from
    // the top again.
    int moved = 0;
    for (bool again = true; again;) {
        again = false;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() < 2) continue;
            const QTextBlock next = block.next();
            if (!next.isValid() || pageOf(document, block, true) == pageOf(document, next)) continue;
            // A chapter's heading right above a section's goes along with it.
            QTextBlock first = block;
            while (first.previous().isValid() && first.previous().blockFormat().headingLevel() >= 2) first = first.previous();
            // Already at the top of a page: its text is taller than a page.
            if (first.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
            QTextBlockFormat format = first.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(format);
            layOutAgain(document);
            ++moved;
            again = true;
            break;
        }
    }
    return moved;
}

void numberContents(QTextDocument& document, const std::vector<ContentsLine>& contents)
{
    for (const ContentsLine& entry : contents) {
        const QString text = entry.line.text();
        const qsizetype tab = text.lastIndexOf(u'\t');
        QTextCursor cursor(entry.line);
        cursor.setPosition(entry.line.position() + tab + 1);
        cursor.setPosition(entry.line.position() + text.size(), QTextCursor::KeepAnchor);
        cursor.insertText(QString::number(pageOf(document, entry.heading)));
    }
    layOutAgain(document);
}

void layOutManual(QTextDocument& document, const QString& markdown, const QString& baseFolder, const ManualPage& page,
                  const QString& contentsTitle)
{
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setDocumentMargin(0); // the page's margins are drawn around the text
    document.setMarkdown(markdown);
    const QSizeF text = page.text();
    fitPictures(document, baseFolder, text.width());
    spaceTables(document);
    spaceHeadings(document);
    titlePage(document);
    document.setPageSize(text);
    const std::vector<ContentsLine> contents = insertContents(document, contentsTitle, text.width());
    keepHeadingsWithText(document);
    numberContents(document, contents);
}

} // namespace kivo
