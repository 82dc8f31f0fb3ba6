#include "shared/FilePermissions.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace kivo {

bool giveUsualPermissions(const QString& path)
{
#ifdef Q_OS_UNIX
    // The umask can only be read by setting it; it is set back at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::chmod(QFile::encodeName(path).constData(), 0666 & ~mask) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

} // namespace kivo
