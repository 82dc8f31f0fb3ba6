#include "platform/TextPrinter.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace kivo {

namespace {

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
    if (!painter.end()) {
        const QString file = printer.outputFileName();
        setFailure(failure, (file.isEmpty() ? printer.printerName() : QDir::toNativeSeparators(file))
                                + QStringLiteral(": the print could not be finished"));
        return false;
    }
    return true;
}

} // namespace kivo
