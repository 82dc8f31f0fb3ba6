#include "platform/SerialLink.h"

#include "settings/Cp1252.h"

#include <utility>

namespace kivo {

QString bytesToText(const QByteArray& bytes) { return decodeCp1252(bytes); }

void SerialLink::setRThreshold(int n)
{
    if (n == kNoThreshold) return; // re-arms the threshold set before
    rThreshold = n;
}

QString SerialLink::read()
{
    if (inputLen == 1) {
        if (inbound.isEmpty()) return {};
        const QByteArray one = inbound.left(1);
        inbound.remove(0, 1);
        return bytesToText(one);
    }
    return bytesToText(std::exchange(inbound, {}));
}

void SerialLink::putBack(const QString& text) { inbound.prepend(encodeCp1252(text)); }

QByteArray SerialLink::takeFiredTriggers() { return std::exchange(fired, {}); }

void SerialLink::resetReceiveState()
{
    inbound.clear();
    fired.clear();
}

void SerialLink::deliver(const QByteArray& bytes)
{
    if (bytes.isEmpty()) return;
    // The receive buffer size is what the port is set up with; the program
    // never drops what arrived, it only reads it in its own time.
    Q_UNUSED(inBufferSize);
    inbound += bytes;
    QByteArray newlyFired;
    for (char c : bytes)
        if (triggers.contains(c)) newlyFired += c;
    if (rThreshold > 0 && inbound.size() >= rThreshold) emit commEvent(kEvReceive);
    if (!newlyFired.isEmpty()) {
        fired += newlyFired;
        emit commEvent(kEvTrigger);
    }
}

} // namespace kivo
