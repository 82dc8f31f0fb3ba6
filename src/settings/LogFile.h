#pragma once
// The diagnostic log of the current run. Best effort: a line that cannot be
// written is lost without a word, the program goes on.

#include <QString>
#include <QStringList>

namespace kivo {

class LogFile {
public:
    static constexpr const char* kFileName = "Brenvor_TransferLog.txt";

    void setFolder(const QString& folder);
    QString path() const { return filePath; }

    // Before the folder is known, lines are kept and written by
    // writePending(), so a failure found early in start-up is not lost.
    void WriteLog(const QString& logtext);
    void DeleteLog() const;
    void writePending();

private:
    QString filePath;
    QStringList pending;
};

} // namespace kivo
