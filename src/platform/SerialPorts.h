#pragma once
// The serial ports this machine has, as the port list needs them.

#include <QString>
#include <utility>
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
    PortInfo() = default;
    PortInfo(QString portName, QString portType, bool onboard = false)
        : name(std::move(portName)), type(std::move(portType)), firstOnboard(onboard)
    {
    }

    QString name;              // "COM3" on Windows; "ttyUSB0", "rfcomm0" or a full path elsewhere
    QString type;              // "BTH..." Bluetooth serial port, "VCP..." USB serial port, else other
    bool firstOnboard = false; // the machine's first built-in port, offered for cable gauges
    // What the system knows of the device behind the port; "" when nothing.
    QString manufacturer;
    QString description;
    QString serialNumber;
};

// Ports the system does not list, from "path:TYPE;path:TYPE" (KIVO_EXTRA_PORTS).
std::vector<PortInfo> parseExtraPorts(const QString& entries);


// Every port the system lists, classified, followed by the ports of
// KIVO_EXTRA_PORTS. Enumerates once; it does not probe port names.
std::vector<PortInfo> availableSerialPorts();

} // namespace kivo
