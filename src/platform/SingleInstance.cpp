#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QSaveFile>
#include <QStandardPaths>

namespace kivo {

namespace {

const QString kSuffix = QStringLiteral(".open");
// A path is short; anything longer is no hand-over of ours.
constexpr qint64 kMaxHandOver = 64 * 1024;

} // namespace

SingleInstance::SingleInstance(const QString& key)
{
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    // The runtime folder is the user's alone (mode 0700 on Linux): no other
    // user can take the lock in this user's place or hand this copy a file.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::tempPath();
    lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("kivo-transfer-%1.lock").arg(hash)));
    lock->setStaleLockTime(0); // a crashed copy leaves a stale lock that is taken over
    inbox = QDir(folder).filePath(QStringLiteral("kivo-transfer-%1").arg(hash));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (!lock->tryLock(0)) return false;
    // Hand-overs a copy that ended left behind are not opened now.
    QDir dir(inbox);
    if (dir.exists())
        for (const QString& name : dir.entryList({QLatin1Char('*') + kSuffix}, QDir::Files)) dir.remove(name);
    if (QDir().mkpath(inbox)) {
        watcher = new QFileSystemWatcher({inbox}, this);
        connect(watcher, &QFileSystemWatcher::directoryChanged, this, &SingleInstance::takeHandedOver);
    }
    return true;
}

bool SingleInstance::handOver(const QString& path)
{
    if (!QFileInfo(inbox).isDir()) return false;
    // Named so that hand-overs are taken in the order they were made, two
    // in the same millisecond too.
    static int sequence = 0;
    const QString name = QStringLiteral("%1-%2-%3%4")
                             .arg(QDateTime::currentMSecsSinceEpoch(), 16, 10, QLatin1Char('0'))
                             .arg(++sequence, 6, 10, QLatin1Char('0'))
                             .arg(QCoreApplication::applicationPid())
                             .arg(kSuffix);
    QSaveFile file(QDir(inbox).filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(path.toUtf8());
    return file.commit();
}

void SingleInstance::takeHandedOver()
{
    QDir dir(inbox);
    for (const QString& name : dir.entryList({QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxHandOver) bytes = file.readAll();
        file.close();
        dir.remove(name);
        const QString path = QString::fromUtf8(bytes).trimmed();
        if (!path.isEmpty()) emit fileHandedOver(path);
    }
}

} // namespace kivo
