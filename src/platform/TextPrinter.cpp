#include "platform/TextPrinter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace kivo {

namespace {

bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

} // namespace

QStringList linesToPrint(const QString& text)
{
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = body.split(u'\n');
    while (!lines.isEmpty() && isBlank(lines.last())) lines.removeLast();
    return lines;
}

bool printText(QPrinter& printer, const QString& text)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QFont font(QStringLiteral("Lucida Console"));
    if (!QFontDatabase::families().contains(font.family())) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    font.setBold(false);
    font.setItalic(false);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &printer);
    const int pageHeight = painter.viewport().height();
    int y = 0;
    for (const QString& line : linesToPrint(text)) {
        if (y + metrics.height() > pageHeight && y > 0) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
    return painter.end();
}

} // namespace kivo
