#include "ManualPdf.h"

#include "ManualDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace kivo {

namespace {

constexpr qreal kDocumentDpi = 96;
constexpr int kPageNumberPixels = 12; // 9 pt
constexpr qreal kPageNumberDrop = 30; // below the text
constexpr qreal kEdge = 1;

} // namespace

QString writeManualPdf(const QString& markdown, const QString& title, const QString& contentsTitle,
                       const QString& baseFolder, const QString& pdf)
{
    const ManualPage page = manualPage();
    QTextDocument document;
    layOutManual(document, markdown, baseFolder, page, contentsTitle);

    QPdfWriter writer(pdf);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kivo RIDIVORI"));
    // The whole sheet is drawn on; the margins are the document's.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("cannot write ") + pdf;
    // Drawn in document pixels; the text keeps the metrics it was laid out with.
    const qreal scale = writer.resolution() / kDocumentDpi;
    painter.scale(scale, scale);
    QFont numberFont(QStringLiteral("DejaVu Sans"));
    numberFont.setPixelSize(kPageNumberPixels);

    const QSizeF text = page.text();
    for (int index = 0; index < document.pageCount(); ++index) {
        if (index > 0 && !writer.newPage()) return QStringLiteral("cannot add a page to ") + pdf;
        painter.save();
        painter.translate(page.margins.left(), page.margins.top() - index * text.height());
        // A pixel short: what starts the next page touches this one's edge.
        const QRectF view(0, index * text.height(), text.width(), text.height() - kEdge);
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        if (index == 0) continue; // the title page
        painter.setFont(numberFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(page.margins.left(), page.margins.top() + text.height() + kPageNumberDrop, text.width(),
                                2 * kPageNumberPixels),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(index + 1));
    }
    if (!painter.end()) return QStringLiteral("cannot finish ") + pdf;
    QFile written(pdf);
    if (!written.exists() || written.size() == 0) return QStringLiteral("no PDF was written to ") + pdf;
    return QString();
}

} // namespace kivo
