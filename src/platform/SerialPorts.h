#pragma once
// The serial ports this machine has, as the port list needs them.

#include "device/PortList.h"

namespace kivo {

// Every port the system lists, classified, followed by the ports of
// KIVO_EXTRA_PORTS. Enumerates once; it does not probe port names.
std::vector<PortInfo> availableSerialPorts();

} // namespace kivo
