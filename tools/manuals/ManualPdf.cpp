#include "ManualPdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace kivo {

namespace {

constexpr double kMaxPictureWidth = 480; // document pixels: the width of the text on A4

// Pictures are named by their whole path (the copy of the document that is
// printed does not know the base folder), and those wider than the text are
// scaled down, keeping their shape.
void fitPictures(QTextDocument& document, const QString& baseFolder)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QString file = QDir(baseFolder).absoluteFilePath(image.name());
            image.setName(QUrl::fromLocalFile(file).toString());
            const QSize size = QImageReader(file).size();
            if (size.isValid() && size.width() > kMaxPictureWidth) {
                image.setWidth(kMaxPictureWidth);
                image.setHeight(kMaxPictureWidth * size.height() / size.width());
            }
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
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

// The title, the kind of manual and its version stand alone on the first page.
void titlePage(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2) continue;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
        return;
    }
}

} // namespace

QString manualText(const QString& markdown, const QString& model)
{
    return QString(markdown).replace(QStringLiteral("{{MODEL}}"), model);
}

QString writeManualPdf(const QString& markdown, const QString& model, const QString& baseFolder, const QString& pdf)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setMarkdown(manualText(markdown, model));
    fitPictures(document, baseFolder);
    spaceTables(document);
    titlePage(document);

    QPdfWriter writer(pdf);
    writer.setTitle(manualText(QStringLiteral("{{MODEL}} RIDIVORI"), model));
    writer.setCreator(QStringLiteral("Kivo RIDIVORI"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
    // Without a page size of its own the document is laid out for the
    // writer's pages and numbered at their foot.
    document.print(&writer);
    QFile written(pdf);
    if (!written.exists() || written.size() == 0) return QStringLiteral("no PDF was written to ") + pdf;
    return QString();
}

QString modelOfManual(const QString& fileName)
{
    QString model = QFileInfo(fileName).completeBaseName();
    model.remove(0, QStringLiteral("Manual_").size());
    model.chop(QStringLiteral("_TRANSFER").size());
    return model;
}

} // namespace kivo
