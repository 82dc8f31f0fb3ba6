#pragma once
// Keeps the simulator's output no faster than a real serial wire: at N baud
// with 8N1 framing a byte takes 10 bit times.

#include <QtGlobal>
#include <chrono>

namespace kivo::sim {

class WirePacer {
public:
    using Clock = std::chrono::steady_clock;

    // baud 0 means unpaced: everything may go at once.
    explicit WirePacer(int baud = 0) : baud_(baud) {}

    bool paced() const { return baud_ > 0; }

    // Output is waiting again. If the wire has gone idle meanwhile, the count
    // starts afresh at now; otherwise the bytes still "on the wire" keep
    // their schedule, so a burst cannot catch up on lost time.
    void begin(Clock::time_point now);

    // How many bytes may be written at now: the bytes the elapsed time
    // allows, less those already written.
    qint64 allowance(Clock::time_point now) const;

    void sent(qint64 bytes) { sent_ += bytes; }

    // How long until the next byte is allowed (0 when one is allowed now).
    std::chrono::microseconds untilNextByte(Clock::time_point now) const;

private:
    qint64 bytesDueBy(Clock::time_point now) const;

    int baud_ = 0;
    Clock::time_point start_{};
    qint64 sent_ = 0;
};

} // namespace kivo::sim
