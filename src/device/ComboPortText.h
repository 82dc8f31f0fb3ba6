#pragma once
// The port an entry of the port list names.

#include <QString>
#include <optional>

namespace kivo {

// Windows: the number after "COM" (3, 2 or 1 digits at the fourth
// character). Elsewhere: the port's name, the first word of the entry.
// nullopt when the text names no port; the caller then keeps its port.
std::optional<QString> portFromComboText(const QString& text, bool numberedPorts);

// The name the system opens a port by: "COM" and the number on Windows
// ("12 " gives "COM12"), the port's own name elsewhere. The port watcher
// reports ports by the same name.
QString systemPortName(const QString& portnr, bool numberedPorts);

// What the port frame's caption shows for a port.
QString portCaptionName(const QString& portnr, bool numberedPorts);

} // namespace kivo
