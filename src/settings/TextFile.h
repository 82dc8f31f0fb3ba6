#pragma once
// Reading and writing the program's line-oriented text files: Windows-1252,
// CR LF line ends, written atomically so a failed write keeps the old file.

#include <QString>
#include <QStringList>
#include <optional>

class QFile;

namespace kivo {

struct FileError {
    QString reason;        // the system's description, for the user and the log
    QString path;          // the file it concerns
    int systemError = 0;   // errno of the call that failed; 0 when the system gave none
    bool notAFile = false; // the path names a folder, a device or a pipe
    bool tooLarge = false; // past the reading bound: refused whole
};

// The reason of `error` in the operator's language where the system named
// it (a full disk, no permission, ...); otherwise its reason as it stands.
QString fileErrorText(const FileError& error, bool german);

// True, with the reason in `error`, when `path` names something other than
// a regular file, also through a link: a folder, a device, a pipe. Reading
// a pipe waits for its writer and the zero device never ends; replacing
// one through a link would put a file in the device's place.
bool notARegularFile(const QString& path, FileError* error = nullptr);

// Opens an existing file for reading; the reason of a failure names it.
bool openForReading(QFile& file, FileError* error = nullptr);

// The lines of a file, without their line ends (CR LF, LF or CR).
// A last line without a line end still counts; an empty file has no lines.
// A file of more than `maxBytes` is refused whole: a settings file is a few
// lines, a huge file in its place must not fill the memory, and a part of it
// would be read as if it were all (its last line counts).
inline constexpr qint64 kMaxTextFileBytes = 1024 * 1024;
std::optional<QStringList> readTextLines(const QString& path, FileError* error = nullptr,
                                         qint64 maxBytes = kMaxTextFileBytes);

// Splits file content into lines as readTextLines does.
QStringList splitLines(const QString& text);

// Writes every line followed by CR LF, replacing the file as a whole.
bool writeTextLines(const QString& path, const QStringList& lines, FileError* error = nullptr);

// Writes `text` as it stands (its line ends included), replacing the file
// as a whole.
bool writeTextFile(const QString& path, const QString& text, FileError* error = nullptr);

// Writes `bytes` as they stand, replacing the file as a whole.
bool writeFileBytes(const QString& path, const QByteArray& bytes, FileError* error = nullptr);

// Creates an empty file (or one with `lines`) when none exists yet.
bool createIfMissing(const QString& path, const QStringList& lines, FileError* error = nullptr);

// Appends one line followed by CR LF.
bool appendTextLine(const QString& path, const QString& line, FileError* error = nullptr);

// The description of a failed file operation, worded for the operator.
// (German where `german`: the missing folder is said in the interface language.)
QString describeFileError(const QString& path, const QString& systemText, bool german = false);

} // namespace kivo
