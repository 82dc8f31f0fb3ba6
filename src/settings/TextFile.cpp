#include "settings/TextFile.h"

#include "shared/Cp1252.h"
#include "shared/SystemError.h"
#include "texts/Phrases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

namespace kivo {

namespace {

void setError(FileError* error, const QString& reason)
{
    if (error) error->reason = reason;
}

// A write that failed: the system's reason of the call that failed where
// it gave one, else what Qt kept.
void setWriteError(FileError* error, const QString& path, const QFileDevice& file, int systemError)
{
    if (!error) return;
    error->path = path;
    error->systemError = systemError;
    error->reason = describeFileError(path, systemError ? systemErrorText(systemError, false) : file.errorString());
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

QString fileErrorText(const FileError& error, bool german)
{
    if (error.notAFile)
        return describeFileError(error.path, phrase(Phrase::NotARegularFile, german), german);
    if (error.systemError) return describeFileError(error.path, systemErrorText(error.systemError, german), german);
    return error.reason;
}

bool notARegularFile(const QString& path, FileError* error)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return false;
    if (error) {
        error->path = path;
        error->notAFile = true;
        error->reason = fileErrorText(*error, false);
    }
    return true;
}

QString describeFileError(const QString& path, const QString& systemText, bool german)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return phrase(Phrase::PathNotFound, german).arg(info.absolutePath());
    return QStringLiteral("%1 (%2)").arg(systemText, path);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

bool openForReading(QFile& file, FileError* error)
{
    const QString path = file.fileName();
    if (!file.exists()) {
        // Said as the system says it, in the operator's language.
        if (error) {
            error->path = path;
            error->systemError = ENOENT;
            error->reason = fileErrorText(*error, false);
        }
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, describeFileError(path, file.errorString()));
        return false;
    }
    return true;
}

std::optional<QStringList> readTextLines(const QString& path, FileError* error, qint64 maxBytes)
{
    // A pipe in a settings file's place would wait for its writer for ever.
    if (notARegularFile(path, error)) return std::nullopt;
    QFile file(path);
    if (!openForReading(file, error)) return std::nullopt;
    // A buffer of the whole limit for a file of a few hundred bytes would be
    // taken and given back at every save of an online session. One byte
    // past the bound tells a file that is too large.
    const qint64 wanted = file.isSequential() ? maxBytes + 1 : std::min(maxBytes + 1, file.size());
    const QByteArray bytes = file.read(wanted);
    if (file.error() != QFileDevice::NoError) {
        setError(error, describeFileError(path, file.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        setError(error, QStringLiteral("%1 is too large").arg(path));
        if (error) error->tooLarge = true;
        return std::nullopt;
    }
    return splitLines(decodeText(bytes));
}

bool writeTextLines(const QString& path, const QStringList& lines, FileError* error)
{
    return writeFileBytes(path, joinLines(lines), error);
}

bool writeTextFile(const QString& path, const QString& text, FileError* error)
{
    return writeFileBytes(path, encodeCp1252(text), error);
}

// A failed or interrupted write leaves the old file whole.
bool writeFileBytes(const QString& path, const QByteArray& bytes, FileError* error)
{
    if (notARegularFile(path, error)) return false;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        setWriteError(error, path, file, errno);
        return false;
    }
    // The buffer is flushed before the commit: a full disk shows there, and
    // the commit would otherwise put a cut-off file in place of the old one.
    // A short write keeps no error in Qt; errno is taken at each step.
    errno = 0;
    bool written = file.write(bytes) == bytes.size();
    int systemError = errno;
    if (written) {
        errno = 0;
        written = file.flush();
        systemError = errno;
    }
    if (written) {
        errno = 0;
        written = file.commit();
        systemError = errno;
    }
    if (!written) {
        setWriteError(error, path, file, systemError);
        file.cancelWriting();
        return false;
    }
    return true;
}

bool createIfMissing(const QString& path, const QStringList& lines, FileError* error)
{
    if (QFileInfo::exists(path)) return true;
    return writeTextLines(path, lines, error);
}

bool appendTextLine(const QString& path, const QString& line, FileError* error)
{
    if (notARegularFile(path, error)) return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        setError(error, describeFileError(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = encodeCp1252(line) + "\r\n";
    if (file.write(bytes) != bytes.size()) {
        setError(error, describeFileError(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace kivo
