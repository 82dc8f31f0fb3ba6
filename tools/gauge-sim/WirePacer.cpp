#include "WirePacer.h"

#include <limits>

namespace kivo::sim {

namespace {
constexpr qint64 kBitsPerByte = 10; // start bit, 8 data bits, stop bit
constexpr qint64 kMicrosPerSecond = 1000000;
} // namespace

qint64 WirePacer::bytesDueBy(Clock::time_point now) const
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - start_).count();
    if (elapsed <= 0) return 0;
    return elapsed * baud_ / (kBitsPerByte * kMicrosPerSecond);
}

void WirePacer::begin(Clock::time_point now)
{
    if (!paced()) return;
    if (bytesDueBy(now) >= sent_) {
        start_ = now;
        sent_ = 0;
    }
}

qint64 WirePacer::allowance(Clock::time_point now) const
{
    if (!paced()) return std::numeric_limits<qint64>::max();
    const qint64 due = bytesDueBy(now) - sent_;
    return due > 0 ? due : 0;
}

std::chrono::microseconds WirePacer::untilNextByte(Clock::time_point now) const
{
    if (!paced() || allowance(now) > 0) return std::chrono::microseconds(0);
    // The next byte is due when (sent + 1) bytes fit into the elapsed time.
    const qint64 nextAt = ((sent_ + 1) * kBitsPerByte * kMicrosPerSecond + baud_ - 1) / baud_;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - start_).count();
    return std::chrono::microseconds(nextAt > elapsed ? nextAt - elapsed : 0);
}

} // namespace kivo::sim
