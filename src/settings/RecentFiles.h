#pragma once
// The measurement files the operator opened or saved last, newest first,
// as the File menu offers them again.

#include <QStringList>

namespace kivo {

inline constexpr int kRecentFiles = 5;

// The list with path first: an earlier entry of the same file (the same
// absolute path; on Windows in any case) is dropped, the oldest beyond
// keep fall off. An empty path leaves the list as it was.
QStringList withRecentFile(const QStringList& recent, const QString& path, int keep = kRecentFiles);

// The list without path (a file no longer there), compared as above.
QStringList withoutRecentFile(const QStringList& recent, const QString& path);

// The list as read back from the settings: no empty entries, no doubles, at
// most keep.
QStringList cleanRecentFiles(const QStringList& stored, int keep = kRecentFiles);

// The menu's caption for entry index (from 0): "&1 name  (folder)".
QString recentFileCaption(int index, const QString& path);

} // namespace kivo
