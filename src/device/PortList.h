#pragma once
// Which serial ports the port list offers, and how an item reads.

#include <QString>
#include <QStringList>
#include <vector>

namespace kivo {

// Windows numbers its serial ports (COM1, COM2, ...); other systems name
// them (ttyUSB0, rfcomm0), and Port.ini then holds the name.
#ifdef Q_OS_WIN
constexpr bool kNumberedPorts = true;
#else
constexpr bool kNumberedPorts = false;
#endif

struct PortInfo {
    QString name;              // "COM3" on Windows; "ttyUSB0", "rfcomm0" or a full path elsewhere
    QString type;              // "BTH..." Bluetooth serial port, "VCP..." USB serial port, else other
    bool firstOnboard = false; // the machine's first built-in port, offered for cable gauges
};

// The ports that suit the model's link: Bluetooth ports for "B"; USB serial
// ports and the first built-in port for "K". Scan order is kept.
std::vector<PortInfo> suitablePorts(const std::vector<PortInfo>& ports, const QString& schnittstelle);

// The list item texts: the name left-aligned in its column, then the type
// right-aligned in 15. The name column is 5 wide ("COM12") on Windows and as
// wide as the longest name elsewhere.
QStringList portListItems(const std::vector<PortInfo>& ports, bool numberedPorts);

// Ports the system does not list, from "path:TYPE;path:TYPE" (KIVO_EXTRA_PORTS).
std::vector<PortInfo> parseExtraPorts(const QString& entries);

} // namespace kivo
