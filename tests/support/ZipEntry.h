#pragma once
// One member of a zip file (.xlsx, .odt), read with unzip, for tests that
// look inside written documents.

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace kivo::testing {

// The member's bytes; empty when the file or the member is missing.
inline QByteArray zipEntry(const QString& zipPath, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zipPath, member});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0) return {};
    return unzip.readAllStandardOutput();
}

} // namespace kivo::testing
