#pragma once
// Measurement files as the program writes them (Windows-1252, CR LF), the
// log the program keeps, and the folders the tests look into.

#include "DownloadBench.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kivo::e2e {

// A reading row of a file: the time, six blanks, the number right-aligned
// in 5, a blank, the value right-aligned in 11, a blank, the unit padded to
// 4, a blank and the material label as stored.
QString fileRow(const QString& time, int number, const QString& value, const QString& unit,
                const QString& material = {});

// `value` written with the decimal separator `point`.
QString withPoint(QString value, QChar point);

// The whole text of a measurement file of a table without project data,
// as saved: the table's name, the statistics heading, the lines of the
// statistics list as shown (its first four entries are name, blank,
// heading, blank), the limit lines, the table heading dated `date`, the
// rows, and the blank line that ends every file.
QString measurementFile(const QString& name, const QString& statisticsHeading, const QStringList& statisticsList,
                        const QString& date, const QStringList& rows, Language language = Language::German,
                        const QStringList& limitLines = {});

// The files hold single-byte text: µ is 0xB5.
QByteArray toCp1252(const QString& text);
QString fromCp1252(const QByteArray& bytes);

// True when every line ends with CR LF and there is no other CR or LF.
bool onlyCrLfLineEnds(const QByteArray& bytes);

// The lines of the program's log for the default brand.
QStringList logLines(const DriveSession& session, const QString& pgmname);

// The names in a folder, hidden ones included; empty when it does not exist.
QStringList folderEntries(const QString& folder);

inline const QString kBrand = QStringLiteral("Brenvor");

// Script lines: the file dialog returns `path` for Open or Save, the button
// is pressed, and the window is dumped once the program is idle.
inline QString openScript(const QString& path)
{
    return QStringLiteral("open ") + path + QStringLiteral("\nclick cmdOpen\n") + kUntilIdle + QStringLiteral("dump\n");
}
inline QString saveScript(const QString& path)
{
    return QStringLiteral("save ") + path + QStringLiteral("\nclick cmdSave\n") + kUntilIdle + QStringLiteral("dump\n");
}

} // namespace kivo::e2e
