#pragma once
// One gauge serving the program on its link: answers the commands, sends
// online readings while the port is open, switches itself off on request.

#include "PtyLink.h"
#include "Replies.h"
#include "WirePacer.h"

#include <QByteArray>
#include <QList>
#include <chrono>
#include <optional>

namespace kivo::sim {

struct SessionSetup {
    QByteArray identReply;             // whole reply to "$kivo00$", EOT included
    QByteArray memory1Dump;            // whole reply to "$kivo10$"
    QByteArray memory2Dump;            // whole reply to "$kivo11$"
    QList<QByteArray> onlineReadings;  // each as it goes on the wire
    std::chrono::milliseconds interval{1000};
    int paceBaud = 0;                  // 0: as fast as the program reads
    std::optional<std::chrono::milliseconds> switchOffAfter;
    bool silent = false;               // a switched-off gauge: it answers nothing
};

class GaugeSession {
public:
    using Clock = std::chrono::steady_clock;

    GaugeSession(PtyLink& link, SessionSetup setup);

    // Serves until stopFd becomes readable (a signal arrived); returns the
    // process exit code.
    int run(int stopFd);

private:
    void takeInput(Clock::time_point now);
    void answer(Command command);
    void portChanged(Clock::time_point now);
    void switchOff();
    void send(const QByteArray& bytes, Clock::time_point now);
    void writeWaiting(Clock::time_point now);
    bool onlineWaiting() const;
    Clock::time_point onlineDueAt() const;

    PtyLink& link_;
    SessionSetup setup_;
    WirePacer pacer_;
    CommandSplitter splitter_;
    QByteArray outbox_;
    qsizetype nextOnline_ = 0;
    Clock::time_point openedAt_{};
    Clock::time_point lastReadingAt_{};
    Clock::time_point lastCommandAt_{};
    std::optional<Clock::time_point> switchOffAt_;
    bool switchedOff_ = false;
};

} // namespace kivo::sim
