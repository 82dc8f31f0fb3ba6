#pragma once
// Writes a zip archive, as OpenDocument files are.

#include <QByteArray>
#include <QString>
#include <vector>

namespace kivo {

struct ZipMember {
    QString name;
    QByteArray bytes;
    bool stored = false; // kept uncompressed (an OpenDocument's "mimetype")
};

// Writes the members in their order to `path`; "" or why it failed, the
// system's reason in German or English.
QString writeZip(const QString& path, const std::vector<ZipMember>& members, bool german);

} // namespace kivo
