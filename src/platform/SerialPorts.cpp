#include "platform/SerialPorts.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace kivo {

namespace {

QString classify(const QSerialPortInfo& info)
{
    const QString name = info.portName();
    if (name.startsWith(QStringLiteral("rfcomm")) || info.description().contains(QStringLiteral("Bluetooth"), Qt::CaseInsensitive))
        return QStringLiteral("BTH");
    if (info.hasVendorIdentifier()) return QStringLiteral("VCP");
    return QStringLiteral("COM");
}

} // namespace

std::vector<PortInfo> parseExtraPorts(const QString& entries)
{
    std::vector<PortInfo> out;
    for (const QString& entry : entries.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.lastIndexOf(u':');
        PortInfo p;
        if (colon <= 0) {
            p.name = entry.trimmed();
            p.type = QStringLiteral("VCP");
        } else {
            p.name = entry.left(colon).trimmed();
            p.type = entry.mid(colon + 1).trimmed().toUpper();
        }
        if (!p.name.isEmpty()) out.push_back(p);
    }
    return out;
}


std::vector<PortInfo> availableSerialPorts()
{
    std::vector<PortInfo> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        PortInfo p;
        p.name = info.portName();
        p.type = classify(info);
        p.manufacturer = info.manufacturer();
        p.description = info.description();
        p.serialNumber = info.serialNumber();
        ports.push_back(p);
    }
    // The first built-in port (COM1, ttyS0) is offered for cable gauges.
    auto isOnboard = [](const PortInfo& p) { return p.type == u"COM"; };
    std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        if (a.name.size() != b.name.size() && a.name.left(3) == b.name.left(3)) return a.name.size() < b.name.size();
        return a.name < b.name;
    });
    auto first = std::find_if(ports.begin(), ports.end(), isOnboard);
    if (first != ports.end()) first->firstOnboard = true;

    // Extra ports count only while their device is there (a simulator's
    // link disappears with it).
    for (const PortInfo& p : parseExtraPorts(qEnvironmentVariable("KIVO_EXTRA_PORTS")))
        if (QFileInfo::exists(p.name)) ports.push_back(p);
    return ports;
}

} // namespace kivo
