#include "RawGauge.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kivo::e2e {

RawGauge::RawGauge(const QString& link) : linkPath(link)
{
    masterFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd < 0 || ::grantpt(masterFd) != 0 || ::unlockpt(masterFd) != 0) {
        if (masterFd >= 0) ::close(masterFd);
        masterFd = -1;
        return;
    }
    slaveName = ::ptsname(masterFd);
    ::fcntl(masterFd, F_SETFL, ::fcntl(masterFd, F_GETFL) | O_NONBLOCK);
    // Holding the slave open keeps the master readable while the program
    // has the port closed; raw mode keeps the terminal from echoing.
    slaveFd = ::open(slaveName.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slaveFd >= 0 && ::tcgetattr(slaveFd, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(slaveFd, TCSANOW, &tio);
    }
    const QByteArray path = QFile::encodeName(linkPath);
    ::unlink(path.constData());
    if (slaveFd < 0 || ::symlink(slaveName.constData(), path.constData()) != 0) {
        ::close(masterFd);
        masterFd = -1;
        return;
    }
    worker = std::thread([this] { serve(); });
}

RawGauge::~RawGauge()
{
    stopping = true;
    if (worker.joinable()) worker.join();
    ::unlink(QFile::encodeName(linkPath).constData());
    if (slaveFd >= 0) ::close(slaveFd);
    if (masterFd >= 0) ::close(masterFd);
}

void RawGauge::answer(const QByteArray& command, QList<QByteArray> replies)
{
    const std::lock_guard<std::mutex> guard(lock);
    answers[command] = std::move(replies);
}

void RawGauge::feed(const QByteArray& bytes)
{
    const std::lock_guard<std::mutex> guard(lock);
    feeds << bytes;
}

void RawGauge::writeAll(const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size() && !stopping;) {
        const ssize_t w = ::write(masterFd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w > 0) done += w;
        else if (w < 0 && errno != EAGAIN && errno != EINTR) break;
        else ::usleep(1000);
    }
}

QStringList RawGauge::commands() const
{
    const std::lock_guard<std::mutex> guard(lock);
    return received;
}

void RawGauge::serve()
{
    while (!stopping) {
        // The serial layer may claim the port exclusively; a second open by
        // the program must still succeed.
#ifdef TIOCNXCL
        ::ioctl(slaveFd, TIOCNXCL);
#endif
        QList<QByteArray> due;
        {
            const std::lock_guard<std::mutex> guard(lock);
            due.swap(feeds);
        }
        for (const QByteArray& bytes : due) writeAll(bytes);

        pollfd fd{masterFd, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0 || !(fd.revents & POLLIN)) continue;
        char buffer[512];
        const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
        if (n <= 0) continue;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c != '\r' && c != '\n') {
                pending += c;
                continue;
            }
            if (pending.isEmpty()) continue;
            QByteArray reply;
            {
                const std::lock_guard<std::mutex> guard(lock);
                received << QString::fromLatin1(pending);
                const auto found = answers.find(pending);
                if (found != answers.end() && !found->second.isEmpty()) {
                    const int index = asked[pending]++;
                    reply = found->second.value(std::min<qsizetype>(index, found->second.size() - 1));
                }
            }
            pending.clear();
            writeAll(reply);
        }
    }
}

} // namespace kivo::e2e
