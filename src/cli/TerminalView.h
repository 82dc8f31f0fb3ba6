#pragma once
// kivo-cli's view of the session: what the window would show goes to
// standard error, once and plainly; what the command must know afterwards
// (the port could not be opened, the link was lost) is kept. A running
// count of the readings on their way is drawn only on a terminal.

#include "session/SessionView.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <functional>

namespace kivo::cli {

class TerminalView : public SessionView {
public:
    TerminalView(QTextStream& err, bool progressShown);

    // What became of the last command.
    bool portUnavailable() const { return unavailable; }
    bool noPresence() const { return presenceFailed; }
    bool linkLost() const { return lost; }
    QString unavailableReason() const { return reason; }
    // A wait for the gauge runs, and since when nothing has come.
    bool waiting() const { return waitRuns; }
    qint64 waitedMs() const { return waitClock.elapsed(); }
    // The readings a download will bring, for the running count.
    void expect(int announced)
    {
        expected = announced;
        lastShown = -1;
    }
    // Lines that came together online, all taken.
    std::function<void()> onOnlineLines;
    // The progress line ends before anything else is written.
    void endProgressLine();
    // Messages written so far, and damaged online lines refused.
    int messagesShown() const { return messageCount; }
    int damagedOnline() const { return damaged; }

    void showOpening() override {}
    void showStillConnected() override {}
    void showConnected(const QString&) override { unavailable = false; }
    void showNotConnected() override {}
    void showNoPresence() override { presenceFailed = true; }
    void showDeviceUnavailable(const QString& why) override;
    void showLinkLost() override { lost = true; }
    void gaugeBusy() override {}
    void waitStarted() override;
    void waitEnded() override { waitRuns = false; }
    void working(bool) override {}
    MsgAnswer message(const QString& text, MsgIcon icon) override;
    void identified(const std::optional<QString>& failure) override;
    void downloadProgress(int linesSeen) override;
    void dumpSplit(bool) override {}
    void onlineShown(const QString&, bool) override {}
    void onlineLinesTaken() override;
    void onlineLineRefused(int refused) override;
    void onlineHeld(const QString& text) override;
    void commandEnded() override {}

private:
    QTextStream& err;
    bool progressShown;
    bool progressOpen = false;
    int expected = 0;
    bool unavailable = false;
    bool presenceFailed = false;
    bool lost = false;
    QString reason;
    bool waitRuns = false;
    QElapsedTimer waitClock;
    int messageCount = 0;
    int damaged = 0;
    int lastShown = -1; // the count the progress line shows
};

} // namespace kivo::cli
