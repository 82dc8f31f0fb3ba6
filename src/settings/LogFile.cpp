#include "settings/LogFile.h"

#include "settings/TextFile.h"

#include <QDir>
#include <QFile>
#include <utility>

namespace kivo {

void LogFile::setFolder(const QString& folder)
{
    filePath = QDir(folder).filePath(QString::fromLatin1(kFileName));
}

void LogFile::WriteLog(const QString& logtext)
{
    if (filePath.isEmpty()) {
        pending.append(logtext);
        return;
    }
    appendTextLine(filePath, logtext); // the log never complains
}

void LogFile::writePending()
{
    const QStringList lines = std::exchange(pending, {});
    for (const QString& line : lines) WriteLog(line);
}

void LogFile::DeleteLog() const
{
    if (filePath.isEmpty()) return;
    QFile file(filePath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.close();
}

} // namespace kivo
