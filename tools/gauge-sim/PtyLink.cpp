#include "PtyLink.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kivo::sim {

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1StringView(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// Points linkPath at target, replacing an existing link in one step so that
// no reader ever finds the path missing.
bool makeLink(const QByteArray& target, const QString& linkPath, QString* error)
{
    const QByteArray path = QFile::encodeName(linkPath);
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    const QByteArray temporary = path + ".tmp" + QByteArray::number(::getpid());
    ::unlink(temporary.constData());
    if (::symlink(target.constData(), temporary.constData()) != 0) {
        *error = systemError("symlink");
        return false;
    }
    if (::rename(temporary.constData(), path.constData()) != 0) {
        *error = systemError("rename");
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

} // namespace

std::unique_ptr<PtyLink> PtyLink::create(const QString& linkPath, QString* error)
{
    std::unique_ptr<PtyLink> link(new PtyLink);
    link->linkPath_ = linkPath;

    link->master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (link->master_ < 0 || ::grantpt(link->master_) != 0 || ::unlockpt(link->master_) != 0) {
        *error = systemError("posix_openpt");
        return nullptr;
    }
    const char* name = ::ptsname(link->master_);
    if (!name) {
        *error = systemError("ptsname");
        return nullptr;
    }
    link->slaveName_ = name;
    ::fcntl(link->master_, F_SETFL, ::fcntl(link->master_, F_GETFL) | O_NONBLOCK);

    link->slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (link->slave_ < 0) {
        *error = systemError("open slave");
        return nullptr;
    }
    if (!link->applyRawMode()) {
        *error = systemError("tcsetattr");
        return nullptr;
    }

    // Every open and close of the slave device shows up here, whoever does it;
    // our own descriptor was opened before the watch began.
    link->watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (link->watch_ >= 0 && ::inotify_add_watch(link->watch_, name, IN_OPEN | IN_CLOSE) < 0) {
        ::close(link->watch_);
        link->watch_ = -1;
    }

    if (!makeLink(link->slaveName_, linkPath, error)) return nullptr;
    return link;
}

PtyLink::~PtyLink()
{
    if (!linkPath_.isEmpty() && !slaveName_.isEmpty()) {
        const QByteArray path = QFile::encodeName(linkPath_);
        char target[4096];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
        if (n > 0 && QByteArray(target, n) == slaveName_) ::unlink(path.constData());
    }
    if (watch_ >= 0) ::close(watch_);
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool PtyLink::applyRawMode()
{
    termios tio {};
    if (::tcgetattr(slave_, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B38400);
    ::cfsetospeed(&tio, B38400);
    return ::tcsetattr(slave_, TCSANOW, &tio) == 0;
}

QByteArray PtyLink::read()
{
    QByteArray received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break; // EAGAIN: nothing more waiting
    }
    return received;
}

qint64 PtyLink::write(const char* data, qint64 size)
{
    for (;;) {
        const ssize_t n = ::write(master_, data, size_t(size));
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        return 0; // EAGAIN: the program has not read enough yet
    }
}

bool PtyLink::takeOpenEvents()
{
    if (watch_ < 0) return false;
    const bool wasOpen = portOpen();
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(watch_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t offset = 0; offset < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->mask & IN_OPEN) ++openCount_;
            if ((event->mask & IN_CLOSE) && openCount_ > 0) --openCount_;
            offset += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return wasOpen != portOpen();
}

bool PtyLink::portOpen() const
{
    return watch_ >= 0 ? openCount_ > 0 : sawInput_;
}

void PtyLink::resetAfterClose()
{
    ::tcflush(slave_, TCIFLUSH);
#ifdef TIOCNXCL
    ::ioctl(slave_, TIOCNXCL);
#endif
    applyRawMode();
}

} // namespace kivo::sim
