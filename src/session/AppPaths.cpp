#include "session/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace kivo {

QString composeDataPath(const QString& base, const QString& brandName, const QString& pgmname)
{
    const QString sep = QDir::separator();
    return QDir::toNativeSeparators(base) + sep + brandName + sep + pgmname;
}

QString commonAppDataFolder()
{
#ifdef Q_OS_WIN
    const QString programData = qEnvironmentVariable("ProgramData");
    if (!programData.isEmpty()) return programData;
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString localAppDataFolder()
{
#ifdef Q_OS_WIN
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    if (!local.isEmpty()) return local;
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace kivo
