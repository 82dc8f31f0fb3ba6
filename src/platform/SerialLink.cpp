#include "platform/SerialLink.h"

#include "shared/Cp1252.h"

#include <utility>

namespace kivo {

QString bytesToText(const QByteArray& bytes) { return decodeCp1252(bytes); }

void SerialLink::setRThreshold(int n)
{
    if (n == kNoThreshold) return; // re-arms the threshold set before
    rThreshold = n;
}

void SerialLink::discardInput()
{
    inbound.clear();
    head = 0;
    fired.clear();
    discardDeviceInput();
}

QString SerialLink::read()
{
    if (waiting() == 0) return {};
    if (inputLen == 1) {
        // One character at a time: the read position moves on, so taking a
        // long burst character by character costs no more than taking it whole.
        const QByteArray one = inbound.mid(head, 1);
        ++head;
        compact();
        return bytesToText(one);
    }
    const QByteArray all = inbound.mid(head);
    inbound.clear();
    head = 0;
    return bytesToText(all);
}

void SerialLink::putBack(const QString& text)
{
    const QByteArray bytes = encodeCp1252(text);
    if (head >= bytes.size()) {
        head -= bytes.size();
        inbound.replace(head, bytes.size(), bytes);
    } else {
        inbound = bytes + inbound.mid(head);
        head = 0;
    }
}

QByteArray SerialLink::takeFiredTriggers() { return std::exchange(fired, {}); }

void SerialLink::resetReceiveState()
{
    inbound.clear();
    head = 0;
    fired.clear();
}

void SerialLink::compact()
{
    if (head == inbound.size()) {
        inbound.clear();
        head = 0;
    } else if (head > 4096 && head * 2 > inbound.size()) {
        inbound.remove(0, head);
        head = 0;
    }
}

void SerialLink::deliver(const QByteArray& bytes)
{
    if (bytes.isEmpty()) return;
    // The receive buffer size is what the port is set up with; the program
    // never drops what arrived, it only reads it in its own time.
    Q_UNUSED(inBufferSize);
    received += quint64(bytes.size());
    last = bytes.back();
    inbound += bytes;
    QByteArray newlyFired;
    for (char c : bytes)
        if (triggers.contains(c)) newlyFired += c;
    // The notification repeats while the threshold's characters still wait:
    // lines that came in one chunk are each taken, not left until more bytes
    // arrive. A handler that takes nothing is waiting for more.
    while (rThreshold > 0 && waiting() >= rThreshold) {
        const int before = waiting();
        emit commEvent(kEvReceive);
        if (waiting() >= before) break;
    }
    if (!newlyFired.isEmpty()) {
        fired += newlyFired;
        emit commEvent(kEvTrigger);
    }
}

} // namespace kivo
