#include "device/PortList.h"

#include "table/Align.h"

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

} // namespace kivo
