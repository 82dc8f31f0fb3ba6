#pragma once
// A session view that shows nothing and keeps the messages it was given,
// where nothing of it is to be seen: tests, and a session that only
// writes a file.

#include "session/SessionView.h"

#include <QStringList>

namespace kivo {

class QuietSessionView : public SessionView {
public:
    QStringList messages;
    int busy = 0; // times the gauge was asked while this view looked on
    void showOpening() override {}
    void showStillConnected() override {}
    void showConnected(const QString&) override {}
    void showNotConnected() override {}
    void showNoPresence() override {}
    void showDeviceUnavailable(const QString&) override {}
    void showLinkLost() override {}
    void gaugeBusy() override { ++busy; }
    void waitStarted() override {}
    void waitEnded() override {}
    void working(bool) override {}
    MsgAnswer message(const QString& text, MsgIcon) override
    {
        messages << text;
        return MsgAnswer::OK;
    }
    void identified(const std::optional<QString>&) override {}
    void downloadProgress(int) override {}
    void dumpSplit(bool) override {}
    void onlineShown(const QString&, bool) override {}
    void onlineLinesTaken() override {}
    void onlineLineRefused(int) override {}
    void onlineHeld(const QString&) override {}
    void commandEnded() override {}
};

} // namespace kivo
