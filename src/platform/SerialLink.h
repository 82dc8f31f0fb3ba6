#pragma once
// The link to one serial port, as the program drives it: open at
// 38400,n,8,1, receive notifications after a number of characters, trigger
// notifications for single characters (EOT, EM), and link failures.
// Received bytes are text, one character per byte.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace kivo {

// Codes of the communication event.
enum CommEvent : int {
    kEvReceive = 2,        // characters waiting (receive threshold reached)
    kEvTrigger = 8,        // a registered character arrived
    kEvLinkFailure = 6,    // the device went away
    kEvLinkFailure2 = 1001 // the port reported an error
};

// Kinds of the port-change event.
enum PortChange : int { kPortPluggedIn = 1, kPortUnplugged = 2, kPortReady = 11 };

enum class OpenResult { Opened, NotFound, Busy, PermissionDenied, Failed };

class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kNoThreshold = -2;

    // Opens `port` at 38400 baud, no parity, 8 data bits, 1 stop bit, no
    // flow control. `reason` receives the system's description on failure.
    virtual OpenResult open(const QString& port, QString* reason) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void write(const QByteArray& bytes) = 0;

    // Receive configuration.
    void setInBufferSize(int size) { inBufferSize = size; }
    // A receive notification when at least `n` characters wait; 0 switches
    // it off, the special value -2 re-arms the threshold set before.
    void setRThreshold(int n);
    // 0: reading returns everything waiting; 1: one character.
    void setInputLen(int n) { inputLen = n; }
    // Drops what has arrived and not been read, also what the port itself
    // still holds, and the triggers not yet taken.
    void discardInput();
    virtual void discardOutput() {}
    void setTriggers(const QByteArray& characters) { triggers = characters; }

    QString read();
    // Characters read but not yet usable (an unfinished record) go back in
    // front of what waits, so the receive threshold counts them again.
    void putBack(const QString& text);
    // The fired triggers not yet taken, oldest first.
    QByteArray takeFiredTriggers();
    int waiting() const { return int(inbound.size() - head); }
    // Every byte that ever arrived, counted as it arrives.
    quint64 bytesReceived() const { return received; }
    // The last byte that arrived.
    char lastByte() const { return last; }

signals:
    void commEvent(int code);

protected:
    // Implementations hand every received chunk here.
    void deliver(const QByteArray& bytes);
    void resetReceiveState();
    // Implementations drop what the device holds and has not delivered yet.
    virtual void discardDeviceInput() {}

private:
    void compact();
    QByteArray inbound;
    qsizetype head = 0; // read position in `inbound`
    QByteArray fired;
    QByteArray triggers;
    int rThreshold = 0;
    int inputLen = 0;
    int inBufferSize = 8192;
    quint64 received = 0;
    char last = 0;
};

// Text of received bytes, one character per byte (Windows-1252).
QString bytesToText(const QByteArray& bytes);

} // namespace kivo
