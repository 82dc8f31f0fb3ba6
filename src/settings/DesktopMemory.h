#pragma once
// What the program remembers for the user from one start to the next,
// beside its own settings files: the recent measurement files and where
// its windows were. Kept with QSettings: on Windows in the user's registry,
// elsewhere in $XDG_CONFIG_HOME/Brenvor/kivo-transfer.conf, found anew by
// each session (QSettings' own search keeps the first folder it found).

#include <QRect>
#include <QSettings>
#include <QStringList>

namespace kivo {

struct SavedWindow {
    QRect frame;            // position and size of the window without its frame
    bool maximized = false;
};

class DesktopMemory {
public:
    QStringList recentFiles() const;
    // The file first in the list; returns the list now kept.
    QStringList rememberFile(const QString& path);
    QStringList forgetFile(const QString& path);

    // A window by its object name.
    SavedWindow window(const QString& name) const;
    void saveWindow(const QString& name, const SavedWindow& place);

    DesktopMemory();

private:
    QSettings store;
};

} // namespace kivo
