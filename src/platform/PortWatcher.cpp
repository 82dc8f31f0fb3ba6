#include "platform/PortWatcher.h"

#include "platform/SerialLink.h"
#include "platform/SerialPorts.h"

namespace kivo {

namespace {

QSet<QString> currentPorts()
{
    QSet<QString> names;
    for (const PortInfo& p : availableSerialPorts()) names.insert(p.name);
    return names;
}

} // namespace

PortWatcher::PortWatcher(QObject* parent) : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &PortWatcher::poll);
}

void PortWatcher::start(int intervalMs)
{
    known = currentPorts();
    timer.start(intervalMs);
}

void PortWatcher::poll()
{
    const QSet<QString> now = currentPorts();
    for (const QString& name : known)
        if (!now.contains(name)) emit portChanged(kPortUnplugged, name);
    for (const QString& name : now)
        if (!known.contains(name)) emit portChanged(kPortPluggedIn, name);
    known = now;
}

} // namespace kivo
