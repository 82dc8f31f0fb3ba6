#include "device/PortList.h"

#include "shared/Align.h"
#include "texts/Phrases.h"

namespace kivo {

std::vector<PortInfo> suitablePorts(const std::vector<PortInfo>& ports, const QString& schnittstelle)
{
    const QString link = schnittstelle.trimmed();
    std::vector<PortInfo> out;
    for (const PortInfo& p : ports) {
        const QString t = p.type.left(3).toUpper();
        const bool wanted = (t == u"BTH" && link == u"B") || (t == u"VCP" && link == u"K")
                            || (link == u"K" && (p.firstOnboard || p.name == u"COM1"));
        if (wanted) out.push_back(p);
    }
    return out;
}

QStringList portListItems(const std::vector<PortInfo>& ports, bool numberedPorts)
{
    int width = 5;
    if (!numberedPorts)
        for (const PortInfo& p : ports) width = qMax(width, int(p.name.size()));
    QStringList items;
    for (const PortInfo& p : ports)
        items << AusrichtenL(width, p.name) + Ausrichten(15, p.type, QStringLiteral(" "), false);
    return items;
}

QString portDescription(const PortInfo& port, bool german)
{
    QStringList parts;
    if (port.type.startsWith(QStringLiteral("BTH")))
        parts << phrase(Phrase::PortKindBluetooth, german);
    else if (port.type.startsWith(QStringLiteral("VCP")))
        parts << phrase(Phrase::PortKindUsb, german);
    else
        parts << phrase(Phrase::PortKindSerial, german);
    for (const QString& fact : {port.manufacturer, port.description})
        if (!fact.trimmed().isEmpty() && !parts.contains(fact.trimmed())) parts << fact.trimmed();
    if (!port.serialNumber.trimmed().isEmpty())
        parts << phrase(Phrase::PortSerialNumber, german) + port.serialNumber.trimmed();
    return port.name + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

} // namespace kivo
