#pragma once
// What the session tells its view while a command to the gauge runs, and
// what it asks of it: the port's state as the operator sees it, the waits,
// a message to show. The window is one such view; kivo-cli is another,
// writing to the terminal. Each call returns once the view has shown it.

#include "shared/MessageKinds.h"

#include <QString>
#include <optional>

namespace kivo {

class SessionView {
public:
    virtual ~SessionView() = default;
    // The port's state.
    virtual void showOpening() = 0;                        // "Bitte warten...."
    virtual void showStillConnected() = 0;                 // the port was open already
    virtual void showConnected(const QString& port) = 0;
    virtual void showNotConnected() = 0;
    virtual void showNoPresence() = 0;                     // a cable gauge did not answer the presence test
    virtual void showDeviceUnavailable(const QString& reason) = 0;
    virtual void showLinkLost() = 0;                       // before the port is opened again
    virtual void gaugeBusy() = 0;                          // the gauge is asked: commands off
    // A wait for the gauge begins and ends (how to cancel it is shown).
    virtual void waitStarted() = 0;
    virtual void waitEnded() = 0;
    // A procedure runs (nested ones count once each).
    virtual void working(bool on) = 0;
    // A message the operator must read; the answer for a question.
    virtual MsgAnswer message(const QString& text, MsgIcon icon = MsgIcon::None) = 0;
    // The identification reply was read; `failure` when it could not be.
    virtual void identified(const std::optional<QString>& failure) = 0;
    // Lines of a memory dump seen so far, and the dump split into lines.
    virtual void downloadProgress(int linesSeen) = 0;
    virtual void dumpSplit(bool exceeded) = 0;
    // An online line or record arrived and was taken or refused; `record`
    // for a fixed record of a single-reading gauge.
    virtual void onlineShown(const QString& zeile, bool record) = 0;
    virtual void onlineLinesTaken() = 0;                   // after the lines that came together
    virtual void onlineLineRefused(int refused) = 0;       // `refused` damaged lines so far online
    virtual void onlineHeld(const QString& text) = 0;      // the gauge sent a message: its readings stop
    virtual void commandEnded() = 0;                       // the outermost command is over
};

} // namespace kivo
