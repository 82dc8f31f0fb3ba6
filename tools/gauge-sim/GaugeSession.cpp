#include "GaugeSession.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace kivo::sim {

namespace {

void logLine(const QByteArray& line)
{
    const QByteArray text = printableLine(line) + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
}

} // namespace

GaugeSession::GaugeSession(std::unique_ptr<PtyLink> link, QString linkPath, SessionSetup setup)
    : link_(std::move(link)), linkPath_(std::move(linkPath)), setup_(std::move(setup)), pacer_(setup_.paceBaud),
      faults_(setup_.noiseEvery, setup_.noiseSeed, setup_.cutAfterBytes)
{
}

int GaugeSession::run(int stopFd)
{
    const Clock::time_point start = Clock::now();
    if (setup_.switchOffAfter) switchOffAt_ = start + *setup_.switchOffAfter;
    if (portOpen()) portChanged(start);

    for (;;) {
        Clock::time_point now = Clock::now();
        if (switchOffAt_ && !switchedOff_ && now >= *switchOffAt_) switchOff();
        if (unplugAt_ && now >= *unplugAt_) {
            unplugAt_.reset();
            unplug();
        }
        if (!unplugAt_ && replugAt_ && now >= *replugAt_) {
            replugAt_.reset();
            if (!replug()) return 1;
        }
        // A reading waits behind an answer still on the wire.
        if (onlineWaiting() && outbox_.isEmpty() && now >= onlineDueAt()) {
            send(setup_.onlineReadings[nextOnline_++], now);
            lastReadingAt_ = now;
        }
        writeWaiting(now);

        std::optional<Clock::time_point> wake;
        const auto wakeBy = [&wake](Clock::time_point at) {
            if (!wake || at < *wake) wake = at;
        };
        if (switchOffAt_ && !switchedOff_) wakeBy(*switchOffAt_);
        if (unplugAt_) wakeBy(*unplugAt_);
        else if (replugAt_) wakeBy(*replugAt_);
        if (onlineWaiting() && outbox_.isEmpty()) wakeBy(onlineDueAt());
        bool wantWrite = false;
        if (!outbox_.isEmpty()) {
            const auto wait = pacer_.untilNextByte(now);
            if (wait.count() == 0) wantWrite = true;
            else wakeBy(now + wait);
        }
        int timeoutMs = -1;
        if (wake) {
            const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(*wake - now).count();
            timeoutMs = int(std::clamp<qint64>((micros + 999) / 1000, 0, 60000));
        }

        // While unplugged there is no link: poll skips negative descriptors.
        pollfd fds[3] = {
            {link_ ? link_->masterFd() : -1, short(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
            {link_ ? link_->watchFd() : -1, POLLIN, 0},
            {stopFd, POLLIN, 0},
        };
        if (::poll(fds, 3, timeoutMs) < 0) {
            if (errno == EINTR) continue;
            std::perror("poll");
            return 1;
        }
        if (fds[2].revents) return 0;
        now = Clock::now();
        // Open and close notifications first: they happened before any
        // command the program wrote after opening.
        if ((fds[1].revents & POLLIN) && link_->takeOpenEvents()) portChanged(now);
        if (fds[0].revents & POLLIN) {
            takeInput(now);
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            ::usleep(20000); // cannot happen while we hold the slave; never spin
        }
    }
}

void GaugeSession::takeInput(Clock::time_point now)
{
    const QByteArray bytes = link_->read();
    if (bytes.isEmpty()) return;
    link_->noteInput();
    for (const QByteArray& line : splitter_.feed(bytes)) {
        logLine(line);
        lastCommandAt_ = now;
        // Answers to a port the program has closed again would be lost on a
        // real wire; here they would wait for the next opener, so drop them.
        if (!answers()) continue;
        answer(commandOf(line));
    }
}

void GaugeSession::answer(Command command)
{
    const Clock::time_point now = Clock::now();
    switch (command) {
    case Command::Identify: send(setup_.identReply, now); break;
    case Command::Memory1: send(setup_.memory1Dump, now); break;
    case Command::Memory2: send(setup_.memory2Dump, now); break;
    case Command::Unknown: break;
    }
}

void GaugeSession::portChanged(Clock::time_point now)
{
    if (portOpen()) {
        // The cable is pulled a while after the program first opened the port.
        if (!openedBefore_) {
            openedBefore_ = true;
            if (setup_.unplugAfter) unplugAt_ = now + *setup_.unplugAfter;
            if (setup_.unplugAfter && setup_.replugAfter) replugAt_ = now + *setup_.replugAfter;
        }
        openedAt_ = now;
        lastReadingAt_ = now;
        return;
    }
    // What was still to go is lost with the closed port.
    outbox_.clear();
    splitter_.reset();
    link_->resetAfterClose();
}

void GaugeSession::switchOff()
{
    // The gauge cuts off whatever it was sending and says EM once.
    switchedOff_ = true;
    outbox_.clear();
    if (portOpen()) send(QByteArray(1, kEm), Clock::now());
}

void GaugeSession::unplug()
{
    // The device goes with everything on its way; the program's open port
    // is left without its other end.
    link_.reset();
    outbox_.clear();
    splitter_.reset();
}

bool GaugeSession::replug()
{
    QString error;
    link_ = PtyLink::create(linkPath_, &error);
    if (!link_) {
        std::fprintf(stderr, "kivo-gauge-sim: replug: %s\n", qPrintable(error));
        return false;
    }
    if (portOpen()) portChanged(Clock::now());
    return true;
}

void GaugeSession::send(const QByteArray& bytes, Clock::time_point now)
{
    if (bytes.isEmpty()) return;
    if (outbox_.isEmpty()) pacer_.begin(now);
    outbox_ += bytes;
    writeWaiting(now);
}

void GaugeSession::writeWaiting(Clock::time_point now)
{
    if (outbox_.isEmpty() || !link_) return;
    const qint64 allowed = faults_.allowance(std::min<qint64>(pacer_.allowance(now), outbox_.size()));
    qint64 written = 0;
    if (allowed > 0) {
        const QByteArray chunk = faults_.damage(outbox_.left(allowed));
        written = link_->write(chunk.constData(), chunk.size());
    }
    if (written > 0) {
        outbox_.remove(0, written);
        pacer_.sent(written);
        faults_.sent(written);
    }
    if (faults_.cut()) outbox_.clear(); // the rest never comes
}

bool GaugeSession::onlineWaiting() const
{
    return answers() && nextOnline_ < setup_.onlineReadings.size();
}

GaugeSession::Clock::time_point GaugeSession::onlineDueAt() const
{
    // The operator measures a while after the port was opened and after the
    // last exchange, so readings never run into an answer.
    const auto wait = nextOnline_ == 0 ? setup_.firstDelay.value_or(setup_.interval) : setup_.interval;
    return std::max({lastReadingAt_, openedAt_, lastCommandAt_}) + wait;
}

} // namespace kivo::sim
