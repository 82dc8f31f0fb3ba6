#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>

namespace kivo {

SingleInstance::SingleInstance(const QString& key)
{
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    lock = std::make_unique<QLockFile>(QDir::temp().filePath(QStringLiteral("kivo-transfer-%1.lock").arg(QString::fromLatin1(hash))));
    lock->setStaleLockTime(0); // a crashed copy leaves a stale lock that is taken over
}

bool SingleInstance::acquire() { return lock->tryLock(0); }

} // namespace kivo
