#include "cli/TerminalView.h"

namespace kivo::cli {

TerminalView::TerminalView(QTextStream& err_, bool progressShown_) : err(err_), progressShown(progressShown_)
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
    ++messageCount;
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
    if (!progressShown || linesSeen == lastShown) return;
    lastShown = linesSeen;
    progressOpen = true;
    err << u'\r' << linesSeen << u'/' << expected << Qt::flush;
}

void TerminalView::onlineLinesTaken()
{
    if (onOnlineLines) onOnlineLines();
}

// Said once when the session ends: a noisy wire would fill the terminal.
void TerminalView::onlineLineRefused(int refused) { damaged = refused; }

// The command says it ends the readings; the window's advice to choose
// Online again is no use here.
void TerminalView::onlineHeld(const QString&) {}

} // namespace kivo::cli
