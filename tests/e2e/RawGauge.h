#pragma once
// A gauge whose answers are given byte for byte by the test, on a
// pseudo-terminal reached through a symbolic link: for replies the simulator
// never sends (a dump without its STX line, a dump that never ends) and for
// online records sent at the moment the test chooses, together or split.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace kivo::e2e {

class RawGauge {
public:
    // Creates the link and starts answering at once.
    explicit RawGauge(const QString& link);
    ~RawGauge();
    RawGauge(const RawGauge&) = delete;
    RawGauge& operator=(const RawGauge&) = delete;

    bool ready() const { return masterFd >= 0; }

    // The answers to one command ("$kivo00$", ...), one per time it is sent;
    // the last one is repeated. An empty answer sends nothing: the gauge
    // stays silent. Set them before the program connects.
    void answer(const QByteArray& command, QList<QByteArray> replies);

    // Sends `bytes` in a single write, within about 20 ms.
    void feed(const QByteArray& bytes);

    // The command lines received so far, in order.
    QStringList commands() const;

private:
    void serve();
    void writeAll(const QByteArray& bytes);

    QString linkPath;
    QByteArray slaveName;
    int masterFd = -1;
    int slaveFd = -1;
    std::map<QByteArray, QList<QByteArray>> answers;
    std::map<QByteArray, int> asked;
    QList<QByteArray> feeds;
    mutable std::mutex lock;
    QStringList received;
    QByteArray pending;
    std::atomic<bool> stopping{false};
    std::thread worker;
};

} // namespace kivo::e2e
