#pragma once
// The gauge's answer to the identification command: the device name on the
// first line, then "key:value" lines (VD software, M<n> reading counts, AD
// radio address, PT/VP probe), each ended by CR LF, the whole ended by EOT.

#include <QString>
#include <optional>

namespace kivo {

// What the gauge tells about itself besides its name.
struct DeviceInfo {
    QString geraetesoftware;
    int speichernr = 0;
    int anzahl1 = 0;
    int anzahl2 = 0;
    QString macadr;
    QString sondentyp;
    QString sondenversion;
};

// Reads `reply` line by line into the device name `geraet` and `device`; a
// key the reply lacks leaves its field as it was. Returns why a line could not be read; the fields set
// before that line keep their new values. `speicherlayout` decides which
// counts the "M" lines give.
std::optional<QString> parseIdentReply(const QString& reply, const QString& speicherlayout, QString& geraet,
                                       DeviceInfo& device);

// The device code of a first reply line: the text before its first "-" and
// the one character after it ("RK-TALO" gives "RKT", "FE-B" gives "FEB").
std::optional<QString> deviceCode(const QString& line);

} // namespace kivo
