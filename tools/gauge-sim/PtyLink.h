#pragma once
// The simulator's end of the wire: a pseudo-terminal whose slave device is
// reached through a symbolic link, so the program opens it like any port.

#include <QByteArray>
#include <QString>
#include <memory>

namespace kivo::sim {

class PtyLink {
public:
    // Creates the pseudo-terminal, puts the slave in raw mode at 38400 baud
    // and makes linkPath a symbolic link to it (an existing link is
    // replaced). nullptr and a message in error on failure.
    static std::unique_ptr<PtyLink> create(const QString& linkPath, QString* error);

    // Removes the link if it still points to this pseudo-terminal.
    ~PtyLink();
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    int masterFd() const { return master_; }
    // Readable when another process opened or closed the slave; -1 when the
    // system cannot tell (then the port counts as open from the first byte
    // the program sends).
    int watchFd() const { return watch_; }
    const QByteArray& slaveName() const { return slaveName_; }

    // What the program wrote to the port so far (non-blocking).
    QByteArray read();
    // Writes what the pseudo-terminal takes now; returns the bytes written.
    qint64 write(const char* data, qint64 size);

    // Takes the open and close notifications; true when the port changed
    // between closed and open.
    bool takeOpenEvents();
    bool portOpen() const;
    // The program wrote something. Without open notifications this is the
    // only sign that the port is open.
    void noteInput() { sawInput_ = true; }

    // The program closed the port: what it did not read is lost, as on a real
    // wire, and a port left exclusive by a crashed program is freed again.
    void resetAfterClose();

private:
    PtyLink() = default;
    bool applyRawMode();

    QString linkPath_;
    QByteArray slaveName_;
    int master_ = -1;
    int slave_ = -1; // held open so the master never sees a hang-up
    int watch_ = -1;
    int openCount_ = 0;
    bool sawInput_ = false;
};

} // namespace kivo::sim
