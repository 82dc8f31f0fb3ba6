#include "settings/DesktopMemory.h"

#include "settings/RecentFiles.h"

#include <QStandardPaths>

namespace kivo {

namespace {

const QString kRecent = QStringLiteral("recentFiles");

QString storePath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Brenvor\\kivo-transfer");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Brenvor/kivo-transfer.conf");
#endif
}

} // namespace

#ifdef Q_OS_WIN
DesktopMemory::DesktopMemory() : store(storePath(), QSettings::NativeFormat) {}
#else
DesktopMemory::DesktopMemory() : store(storePath(), QSettings::IniFormat) {}
#endif

QStringList DesktopMemory::recentFiles() const { return cleanRecentFiles(store.value(kRecent).toStringList()); }

QStringList DesktopMemory::rememberFile(const QString& path)
{
    const QStringList list = withRecentFile(recentFiles(), path);
    store.setValue(kRecent, list);
    store.sync();
    return list;
}

QStringList DesktopMemory::forgetFile(const QString& path)
{
    const QStringList list = withoutRecentFile(recentFiles(), path);
    store.setValue(kRecent, list);
    store.sync();
    return list;
}

SavedWindow DesktopMemory::window(const QString& name) const
{
    return {store.value(name + QStringLiteral("/frame")).toRect(), store.value(name + QStringLiteral("/maximized")).toBool()};
}

void DesktopMemory::saveWindow(const QString& name, const SavedWindow& place)
{
    store.setValue(name + QStringLiteral("/frame"), place.frame);
    store.setValue(name + QStringLiteral("/maximized"), place.maximized);
    store.sync();
}

} // namespace kivo
