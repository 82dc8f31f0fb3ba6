#include "settings/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

namespace kivo {

namespace {

bool sameFile(const QString& a, const QString& b)
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()).compare(QDir::cleanPath(QFileInfo(b).absoluteFilePath()),
                                                                     kCase) == 0;
}

} // namespace

QStringList withoutRecentFile(const QStringList& recent, const QString& path)
{
    QStringList rest;
    for (const QString& entry : recent)
        if (!sameFile(entry, path)) rest << entry;
    return rest;
}

QStringList withRecentFile(const QStringList& recent, const QString& path, int keep)
{
    if (path.isEmpty()) return recent;
    QStringList list = withoutRecentFile(recent, path);
    list.prepend(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (list.size() > keep) list.removeLast();
    return list;
}

QStringList cleanRecentFiles(const QStringList& stored, int keep)
{
    QStringList list;
    for (const QString& entry : stored) {
        if (entry.trimmed().isEmpty() || withoutRecentFile(list, entry).size() < list.size()) continue;
        list << entry;
        if (list.size() == keep) break;
    }
    return list;
}

QString recentFileCaption(int index, const QString& path)
{
    const QFileInfo file(path);
    // An ampersand in a file name is shown, not taken as the item's key.
    QString name = file.fileName();
    name.replace(u'&', QStringLiteral("&&"));
    QString folder = QDir::toNativeSeparators(file.absolutePath());
    folder.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2  (%3)").arg(index + 1).arg(name, folder);
}

} // namespace kivo
