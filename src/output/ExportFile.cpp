#include "output/ExportFile.h"

#include "shared/FilePermissions.h"
#include "settings/TextFile.h"
#include "shared/SystemError.h"
#include "texts/Phrases.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>

namespace kivo {

namespace {

// Names tried for one file before giving up.
constexpr int kDatedNameAttempts = 100;

} // namespace

QString exportFileName(const QString& base, const QDateTime& when, const QString& suffix, int attempt)
{
    QString name = base + u'_' + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    if (attempt > 1) name += u'_' + QString::number(attempt);
    return name + u'.' + suffix;
}

DatedMove moveToDatedName(const QString& from, const QString& folder, const QString& base, const QDateTime& when,
                          const QString& suffix)
{
    // A second file in the same second takes the next number.
    const QDir dir(folder);
    DatedMove move;
    for (int attempt = 1; attempt <= kDatedNameAttempts; ++attempt) {
        move.path = dir.filePath(exportFileName(base, when, suffix, attempt));
        if (QFile::exists(move.path)) continue;
        QFile file(from);
        errno = 0;
        if (file.rename(move.path)) {
            move.moved = true;
            return move;
        }
        // Another file took the name meanwhile: try the next.
        if (!QFile::exists(move.path)) {
            move.systemError = errno;
            move.qtReason = file.errorString();
            return move;
        }
    }
    move.noFreeName = true;
    return move;
}

QString datedMoveFailure(const DatedMove& move, bool german)
{
    if (move.noFreeName) return phrase(Phrase::NoFreeFileName, german);
    return move.systemError ? systemErrorText(move.systemError, german) : move.qtReason;
}

ExportOutcome saveExport(const QString& folder, const QString& base, const QString& suffix, const QDateTime& when,
                         bool german, const std::function<QString(const QString& path)>& write)
{
    const QDir dir(folder);
    ExportOutcome out{dir.filePath(exportFileName(base, when, suffix)), QString()};
    auto cannotWrite = [&](const QString& reason) {
        out.failure = phrase(Phrase::FileNotWritten, german).arg(QDir::toNativeSeparators(out.path), reason);
        return out;
    };
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        out.failure = phrase(Phrase::FolderNotCreated, german).arg(QDir::toNativeSeparators(folder));
        return out;
    }

    QTemporaryFile temp(dir.filePath(QStringLiteral(".%1_XXXXXX.part").arg(base)));
    errno = 0;
    if (!temp.open()) return cannotWrite(errno ? systemErrorText(errno, german) : temp.errorString());
    temp.close(); // the writer opens it by name; the name stays reserved
    if (const QString reason = write(temp.fileName()); !reason.isEmpty()) return cannotWrite(reason);
    giveUsualPermissions(temp.fileName());

    // A rename never replaces an existing file.
    const DatedMove move = moveToDatedName(temp.fileName(), folder, base, when, suffix);
    out.path = move.path;
    if (move.moved) {
        temp.setAutoRemove(false);
        return out;
    }
    return cannotWrite(datedMoveFailure(move, german));
}

QString writeReplacing(const QString& path, bool german, const std::function<QString(const QString& path)>& write)
{
    const QFileInfo target(path);
    auto cannotWrite = [&](const QString& reason) {
        return phrase(Phrase::FileNotWritten, german).arg(QDir::toNativeSeparators(path), reason);
    };
    FileError error;
    if (target.exists() && notARegularFile(path, &error)) return cannotWrite(fileErrorText(error, german));
    QTemporaryFile temp(target.dir().filePath(QStringLiteral(".%1_XXXXXX.part").arg(target.fileName())));
    errno = 0;
    if (!temp.open()) return cannotWrite(errno ? systemErrorText(errno, german) : temp.errorString());
    temp.close(); // the writer opens it by name; the name stays reserved
    if (const QString reason = write(temp.fileName()); !reason.isEmpty()) return cannotWrite(reason);
    giveUsualPermissions(temp.fileName());
#ifdef Q_OS_WIN
    QFile::remove(path);
    if (!QFile::rename(temp.fileName(), path)) return cannotWrite(QFile(temp.fileName()).errorString());
#else
    errno = 0;
    // rename() puts the new file in the old one's place in one step.
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return cannotWrite(systemErrorText(errno, german));
#endif
    temp.setAutoRemove(false);
    return QString();
}

} // namespace kivo
