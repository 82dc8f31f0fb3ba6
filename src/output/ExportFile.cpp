#include "output/ExportFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace kivo {

QString exportFileName(const QString& base, const QDateTime& when, const QString& suffix, int attempt)
{
    QString name = base + u'_' + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    if (attempt > 1) name += u'_' + QString::number(attempt);
    return name + u'.' + suffix;
}

ExportOutcome saveExport(const QString& folder, const QString& base, const QString& suffix, const QDateTime& when,
                         bool german, const std::function<QString(const QString& path)>& write)
{
    const QDir dir(folder);
    ExportOutcome out{dir.filePath(exportFileName(base, when, suffix)), QString()};
    auto cannotWrite = [&](const QString& reason) {
        out.failure = (german ? QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                              : QStringLiteral("The file %1 cannot be written: %2"))
                          .arg(QDir::toNativeSeparators(out.path), reason);
        return out;
    };
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        out.failure = (german ? QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
                              : QStringLiteral("The folder %1 cannot be created."))
                          .arg(QDir::toNativeSeparators(folder));
        return out;
    }

    QTemporaryFile temp(dir.filePath(QStringLiteral(".%1_XXXXXX.part").arg(base)));
    if (!temp.open()) return cannotWrite(temp.errorString());
    temp.close(); // the writer opens it by name; the name stays reserved
    if (const QString reason = write(temp.fileName()); !reason.isEmpty()) return cannotWrite(reason);

    // A rename never replaces an existing file: a second export in the same
    // second takes the next number.
    for (int attempt = 1; attempt <= 100; ++attempt) {
        out.path = dir.filePath(exportFileName(base, when, suffix, attempt));
        if (QFile::exists(out.path)) continue;
        QFile written(temp.fileName());
        if (written.rename(out.path)) {
            temp.setAutoRemove(false);
            return out;
        }
        if (!QFile::exists(out.path)) return cannotWrite(written.errorString());
    }
    return cannotWrite(german ? QStringLiteral("kein freier Dateiname") : QStringLiteral("no free file name"));
}

} // namespace kivo
