#include "archive/ArchiveLocation.h"

#include "settings/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace kivo {

ArchiveLocation archiveLocation(const QString& environment, const QString& settingsFolder, const QString& dataFolder)
{
    const QString file = QDir(dataFolder).filePath(QLatin1String(kArchiveFile));
    if (!environment.trimmed().isEmpty())
        return {parseArchiveTarget(environment, file), QStringLiteral("KIVO_ARCHIVE")};
    const QString ini = QDir(settingsFolder).filePath(QLatin1String(kArchiveIni));
    if (QFileInfo::exists(ini)) {
        FileError error;
        const std::optional<QStringList> lines = readTextLines(ini, &error, 64 * 1024);
        if (!lines) return {{std::nullopt, error.reason}, ini};
        return {parseArchiveTarget(lines->value(0), file), ini};
    }
    return {parseArchiveTarget(QString(), file), QString()};
}

} // namespace kivo
