#pragma once
// The program's data folders: settings, log and manuals in AppDataPath;
// Projekt.ini and measurement files in MessDataPath.

#include <QString>

namespace kivo {

// base + separator + brand + separator + program name. An empty program
// name leaves the path ending in the separator.
QString composeDataPath(const QString& base, const QString& brandName, const QString& pgmname);

// The system's folder for application data shared by all users (Windows:
// ProgramData); elsewhere the user's configuration folder ($XDG_CONFIG_HOME).
QString commonAppDataFolder();

// The user's local application data folder (Windows: LocalAppData);
// elsewhere $XDG_DATA_HOME.
QString localAppDataFolder();

} // namespace kivo
