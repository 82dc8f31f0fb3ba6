#include "DriverDialogs.h"

#include <QPrinter>
#include <utility>

namespace kivo {

MsgAnswer DriverDialogs::MsgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon, const QString& caption)
{
    shown.append({caption, text, buttonNames(buttons)});
    if (answers.empty()) return defaultAnswer(buttons);
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    // An answer the box does not offer is not a button the operator can press.
    const QStringList names = buttonNames(buttons);
    const QString wanted = answer == MsgAnswer::OK ? QStringLiteral("OK")
                           : answer == MsgAnswer::Cancel ? QStringLiteral("Cancel")
                           : answer == MsgAnswer::Yes ? QStringLiteral("Yes")
                                                      : QStringLiteral("No");
    return names.contains(wanted) ? answer : defaultAnswer(buttons);
}

namespace {

QString takeFront(std::deque<QString>& queue)
{
    if (queue.empty()) return {}; // nobody chose: the dialog was cancelled
    QString front = queue.front();
    queue.pop_front();
    return front;
}

} // namespace

QString DriverDialogs::saveFileName(QWidget*, const QString&, const QString&) { return takeFront(files); }

QString DriverDialogs::openFileName(QWidget*, const QString&, const QString&) { return takeFront(files); }

bool DriverDialogs::choosePrinter(QWidget*, QPrinter& printer)
{
    const QString pdf = takeFront(pdfs);
    if (pdf.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
}

bool DriverDialogs::openDocument(const QString& path)
{
    opened << path;
    return !opensFail;
}

QList<ShownMessage> DriverDialogs::takeMessages() { return std::exchange(shown, {}); }

QStringList DriverDialogs::takeOpened() { return std::exchange(opened, {}); }

} // namespace kivo
