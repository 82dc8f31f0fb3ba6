#pragma once
// Which serial ports the port list offers, and how an item reads.

#include "platform/SerialPorts.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kivo {

// The ports that suit the model's link: Bluetooth ports for "B"; USB serial
// ports and the first built-in port for "K". Scan order is kept.
std::vector<PortInfo> suitablePorts(const std::vector<PortInfo>& ports, const QString& schnittstelle);

// The list item texts: the name left-aligned in its column, then the type
// right-aligned in 15. The name column is 5 wide ("COM12") on Windows and as
// wide as the longest name elsewhere.
QStringList portListItems(const std::vector<PortInfo>& ports, bool numberedPorts);

// The port's tooltip: Bluetooth or USB, then the maker, the device and its
// serial number where the system knows them.
QString portDescription(const PortInfo& port, bool german);


} // namespace kivo
