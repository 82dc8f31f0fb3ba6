#pragma once
// The manual as a document of A4 pages, laid out before it is printed: the
// pictures at their own size (narrowed only when wider than the text), the
// title on a page of its own, a table of contents with the pages of the
// chapters, and no heading alone at the foot of a page.
//
// Lengths are document pixels of 1/96 inch: a picture of the program is
// shown 1:1 at a viewer's 100 %.

#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QTextBlock>
#include <vector>

class QTextDocument;

namespace kivo {

// A4 in document pixels: the paper, the margins around the text (the
// lower one holds the page number), and the text area between them.
struct ManualPage {
    QSizeF paper;
    QMarginsF margins;
    QSizeF text() const { return paper.shrunkBy(margins); }
};
ManualPage manualPage();

// The whole layout: the Markdown read, pictures from `baseFolder`, the
// contents under `contentsTitle`, paged for `page`.
void layOutManual(QTextDocument& document, const QString& markdown, const QString& baseFolder, const ManualPage& page,
                  const QString& contentsTitle);

// The steps of layOutManual.

// Each picture named by its whole path (a printed copy of the document does
// not know the base folder), narrowed to `textWidth` when wider, and a
// paragraph of pictures alone centred.
void fitPictures(QTextDocument& document, const QString& baseFolder, qreal textWidth);

// What comes before the first chapter stands centred on the first page.
void titlePage(QTextDocument& document);

// A line of the contents and the heading it names.
struct ContentsLine {
    QTextBlock heading;
    QTextBlock line;
};

// The contents on a page of their own before the first chapter: a line for
// each heading of a chapter (##) and of a section (###), the page number
// ("0" until numberContents) at the right edge of `textWidth`.
std::vector<ContentsLine> insertContents(QTextDocument& document, const QString& title, qreal textWidth);

// The page (from 1) of a block's first line, or its last; the document must
// have a page size.
int pageOf(const QTextDocument& document, const QTextBlock& block, bool lastLine = false);

// Each heading that would end a page, away from its text, starts the next
// page instead. Returns how many headings were moved.
int keepHeadingsWithText(QTextDocument& document);

// The page numbers of the headings into their lines of the contents.
void numberContents(QTextDocument& document, const std::vector<ContentsLine>& contents);

} // namespace kivo
