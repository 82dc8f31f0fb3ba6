#include "ui/TextPrinter.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace kivo {

namespace {

constexpr qreal kMinMarginMm = 15;

bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

// The printer gives no reason when it cannot start a file; opening the file
// for appending shows the system's one and changes nothing in a file that
// exists. A file the probe made is removed again.
QString whyNotWritable(const QString& path)
{
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) return probe.errorString();
    probe.close();
    if (!existed) probe.remove();
    return QStringLiteral("the file could not be written");
}

QString startFailure(const QPrinter& printer)
{
    const QString file = printer.outputFileName();
    if (!file.isEmpty()) return QDir::toNativeSeparators(file) + QStringLiteral(": ") + whyNotWritable(file);
    return printer.printerName() + QStringLiteral(": the printer could not be started");
}

void setFailure(QString* failure, const QString& text)
{
    if (failure) *failure = text;
}

} // namespace

QStringList linesToPrint(const QString& text)
{
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = body.split(u'\n');
    while (!lines.isEmpty() && isBlank(lines.last())) lines.removeLast();
    return lines;
}

bool printText(QPrinter& printer, const QString& text, QString* failure)
{
    // Never closer to the paper's edge than 15 mm, whatever the printer allows.
    QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    margins = QMarginsF(qMax(margins.left(), kMinMarginMm), qMax(margins.top(), kMinMarginMm),
                        qMax(margins.right(), kMinMarginMm), qMax(margins.bottom(), kMinMarginMm));
    printer.setPageMargins(margins, QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer)) {
        setFailure(failure, startFailure(printer));
        return false;
    }
    QFont font(QStringLiteral("Lucida Console"));
    if (!QFontDatabase::families().contains(font.family())) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    font.setBold(false);
    font.setItalic(false);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &printer);
    const int pageWidth = painter.viewport().width();
    // The foot of the page keeps two lines for the page number.
    const int footTop = painter.viewport().height() - 2 * metrics.lineSpacing();
    int page = 1;
    int y = 0;
    for (const QString& line : linesToPrint(text)) {
        if (y + metrics.height() > footTop && y > 0) {
            printer.newPage();
            ++page;
            y = 0;
            // From the second page on, the number at the foot keeps the pages in order.
            const QString number = QString::number(page);
            painter.drawText((pageWidth - metrics.horizontalAdvance(number)) / 2,
                             footTop + metrics.lineSpacing() + metrics.ascent(), number);
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
    if (!painter.end()) {
        const QString file = printer.outputFileName();
        setFailure(failure, (file.isEmpty() ? printer.printerName() : QDir::toNativeSeparators(file))
                                + QStringLiteral(": the print could not be finished"));
        return false;
    }
    return true;
}

} // namespace kivo
