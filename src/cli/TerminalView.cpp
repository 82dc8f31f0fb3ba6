#include "cli/TerminalView.h"

#include "texts/Phrases.h"

namespace kivo::cli {

TerminalView::TerminalView(QTextStream& err_, bool progressShown_, bool german_)
    : err(err_), progressShown(progressShown_), german(german_)
{
    waitClock.start();
}

void TerminalView::endProgressLine()
{
    if (!progressOpen) return;
    progressOpen = false;
    err << Qt::endl;
}

void TerminalView::showDeviceUnavailable(const QString& why)
{
    unavailable = true;
    reason = why;
}

void TerminalView::waitStarted()
{
    waitRuns = true;
    waitClock.restart();
}

MsgAnswer TerminalView::message(const QString& text, MsgIcon)
{
    endProgressLine();
    // A message box's line breaks are one line here.
    err << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ') << Qt::endl;
    return MsgAnswer::OK;
}

void TerminalView::identified(const std::optional<QString>& failure)
{
    if (failure) message(QStringLiteral("ReadGeraet: ") + *failure, MsgIcon::None);
}

void TerminalView::downloadProgress(int linesSeen)
{
    if (!progressShown) return;
    progressOpen = true;
    err << u'\r' << qMin(linesSeen, qMax(expected, linesSeen)) << u'/' << expected << Qt::flush;
}

void TerminalView::onlineLinesTaken()
{
    if (onOnlineLines) onOnlineLines();
}

void TerminalView::onlineLineRefused(int refused)
{
    message(phrase(Phrase::DamagedLinesRefused, german).arg(refused), MsgIcon::None);
}

void TerminalView::onlineHeld(const QString& text) { message(text, MsgIcon::None); }

} // namespace kivo::cli
