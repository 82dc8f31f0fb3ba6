#pragma once
// Writes and reads zip archives, as OpenDocument and Office Open XML files
// are.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kivo {

struct ZipMember {
    QString name;
    QByteArray bytes;
    bool stored = false; // kept uncompressed (an OpenDocument's "mimetype")
    bool fast = false;   // compressed at the fastest level, for large members written anew
    // As read from an archive: the member as it was compressed there, copied
    // as it is when not empty (the bytes above must then be what it holds).
    QByteArray raw;
    int method = 0;
    quint32 crc = 0;
};

// The version of the zlib that minizip, and so the program, uses.
QString zipLibraryVersion();

// Writes the members in their order to `path`; "" or why it failed, the
// system's reason in German or English.
QString writeZip(const QString& path, const std::vector<ZipMember>& members, bool german);

// The members of an archive held in memory, in their order; nullopt when it
// is no zip archive or a member cannot be read.
std::optional<std::vector<ZipMember>> readZip(const QByteArray& archive);

} // namespace kivo
