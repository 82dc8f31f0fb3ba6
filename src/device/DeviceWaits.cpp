// Waiting for the gauge: the event loop keeps running, so the serial
// events arrive and the window stays responsive; Escape ends any wait, and
// with it the rest of the command.

#include "device/DeviceLink.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace kivo {

namespace {

// A gauge that goes quiet this long has finished what it was sending.
constexpr int kQuietMs = 300;
// Bytes after an answer are waited out this long at most: a gauge that
// sends readings on its own is never quiet.
constexpr int kSettleMaxMs = 1000;

} // namespace

DeviceLink::Command::Command(DeviceLink& link_) : link(link_)
{
    if (link.commandDepth++ == 0) link.cancelled = false;
}

DeviceLink::Command::~Command()
{
    if (--link.commandDepth == 0) link.view.commandEnded();
}

void DeviceLink::cancel()
{
    // Only a cancel while the program waits for the gauge counts: an Escape
    // that closed a dialog earlier must not cancel what comes next.
    if (waitDepth > 0) cancelled = true;
}

bool DeviceLink::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    if (done()) return true;
    if (waitDepth == 0 && commandDepth == 0) cancelled = false; // a wait of its own, not part of a command
    if (commandStopped()) return false; // one Escape ends the whole command
    if (waitDepth++ == 0) view.waitStarted();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer tick;
    bool result = false;
    connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done()) result = true;
        else if (!commandStopped() && (timeoutMs < 0 || clock.elapsed() < timeoutMs)) return;
        loop.quit();
    });
    tick.start(5);
    loop.exec();
    if (--waitDepth == 0) view.waitEnded();
    return result;
}

void DeviceLink::Delay(int nSekunden)
{
    // Whole seconds of the system clock, as the gauge's pauses were timed.
    const double start = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    const double target = std::round(start + nSekunden);
    const int ms = int((target - start) * 1000.0) + 1;
    ++waitDepth;
    QEventLoop loop;
    QTimer::singleShot(qMax(0, ms), &loop, &QEventLoop::quit);
    connect(this, &DeviceLink::programEnd, &loop, &QEventLoop::quit);
    loop.exec();
    --waitDepth;
}

void DeviceLink::abandonReplyIfOpen()
{
    if (!SCom1->isOpen()) return;
    replyAbandoned = true;
    lastByteClock.start();
}

bool DeviceLink::drainAbandonedReply()
{
    if (!replyAbandoned) return true;
    // The gauge answers one command after the other: the next command is
    // sent only when the answer given up before has ended with its EOT, or
    // the line has gone quiet.
    const bool quiet = waitFor([this] { return !replyAbandoned || lastByteClock.elapsed() >= kQuietMs; });
    if (!quiet) return false;
    replyAbandoned = false;
    SCom1->discardInput();
    return true;
}

} // namespace kivo

namespace kivo {

bool DeviceLink::settleAfterReply()
{
    if (!bytesAfterReply) return true;
    // Something followed the last answer's EOT: its rest may still be on the
    // wire, and would be taken for the next answer.
    QElapsedTimer clock;
    clock.start();
    waitFor([&] { return lastByteClock.elapsed() >= kQuietMs || clock.elapsed() >= kSettleMaxMs; });
    return !commandStopped();
}

} // namespace kivo
