#pragma once
// One gauge serving the program on its link: answers the commands, sends
// online readings while the port is open, switches itself off on request.

#include "PtyLink.h"
#include "Replies.h"
#include "WireFaults.h"
#include "WirePacer.h"

#include <QByteArray>
#include <QList>
#include <chrono>
#include <memory>
#include <optional>

namespace kivo::sim {

struct SessionSetup {
    QByteArray identReply;             // whole reply to "$kivo00$", EOT included
    QByteArray memory1Dump;            // whole reply to "$kivo10$"
    QByteArray memory2Dump;            // whole reply to "$kivo11$"
    QList<QByteArray> onlineReadings;  // each as it goes on the wire
    std::chrono::milliseconds interval{1000};
    std::optional<std::chrono::milliseconds> firstDelay; // before the first reading (default: interval)
    int paceBaud = 0;                  // 0: as fast as the program reads
    std::optional<std::chrono::milliseconds> switchOffAfter;
    bool silent = false;               // a switched-off gauge: it answers nothing
    int noiseEvery = 0;                // a byte changed in every N sent (0: none)
    quint64 noiseSeed = 1;
    std::optional<qint64> cutAfterBytes;              // the wire goes dead after N bytes
    // The link vanishes, and comes back; both counted from the moment the
    // program first opened the port.
    std::optional<std::chrono::milliseconds> unplugAfter;
    std::optional<std::chrono::milliseconds> replugAfter;
};

class GaugeSession {
public:
    using Clock = std::chrono::steady_clock;

    // The session owns the link; it takes it away and makes it anew at
    // linkPath when the setup unplugs and replugs the gauge.
    GaugeSession(std::unique_ptr<PtyLink> link, QString linkPath, SessionSetup setup);

    // Serves until stopFd becomes readable (a signal arrived); returns the
    // process exit code.
    int run(int stopFd);

private:
    void takeInput(Clock::time_point now);
    void answer(Command command);
    void portChanged(Clock::time_point now);
    void switchOff();
    void unplug();
    bool replug();
    bool portOpen() const { return link_ && link_->portOpen(); }
    bool answers() const { return !setup_.silent && !switchedOff_ && !faults_.cut() && portOpen(); }
    void send(const QByteArray& bytes, Clock::time_point now);
    void writeWaiting(Clock::time_point now);
    bool onlineWaiting() const;
    Clock::time_point onlineDueAt() const;

    std::unique_ptr<PtyLink> link_;
    QString linkPath_;
    SessionSetup setup_;
    WirePacer pacer_;
    WireFaults faults_;
    CommandSplitter splitter_;
    QByteArray outbox_;
    qsizetype nextOnline_ = 0;
    Clock::time_point openedAt_{};
    Clock::time_point lastReadingAt_{};
    Clock::time_point lastCommandAt_{};
    std::optional<Clock::time_point> switchOffAt_;
    std::optional<Clock::time_point> unplugAt_;
    std::optional<Clock::time_point> replugAt_;
    bool switchedOff_ = false;
    bool openedBefore_ = false; // the unplug counts from the first open
};

} // namespace kivo::sim
