#pragma once
// The program's settings files: which folder each lives in, and the ten
// actions that read or write them over plain values. A failure comes back
// as the action's message (in the interface language) and the reason; the
// window shows and logs it. Fields read before a bad line keep their new
// values, as every reader does.

#include "settings/SettingsFiles.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace kivo {

struct SettingsFailure {
    QString errortext; // the action's message, e.g. "Probleme beim Lesen Datei Limit.ini: "
    QString reason;    // why: the file's trouble or the bad line
};
using SettingsOutcome = std::optional<SettingsFailure>;

class Settings {
public:
    // Konfi.ini lives in the program folder, Projekt.ini beside the
    // measurement files, everything else in the settings folder.
    void setFolders(const QString& programFolder, const QString& appDataPath, const QString& messDataPath);
    // The language of the failure messages.
    void setLanguage(int languageIndex) { language = languageIndex; }

    SettingsOutcome readKonfi(KonfiFields& fields) const;                                  // KL
    SettingsOutcome readPort(PortIniFields& fields) const;                                 // CL
    SettingsOutcome writePort(const QString& portnr) const;                                // CS
    SettingsOutcome readLimits(LimitFields& fields, const QLocale& locale) const;          // LL
    SettingsOutcome writeLimits(const LimitFields& fields, const QLocale& locale) const;   // LS
    SettingsOutcome readLanguage(int& languageIndex) const;                                // SL
    SettingsOutcome writeLanguage(int languageIndex) const;                                // SS
    SettingsOutcome readProjectCaptions(int languageIndex, ProjectCaptions& captions) const; // PI
    SettingsOutcome readProjectData(ProjectData& data) const;                              // PL
    SettingsOutcome writeProjectData(const ProjectData& data) const;                       // PS

    // Where an action's file is.
    QString path(const QString& aktion) const;

private:
    template <typename Parse>
    SettingsOutcome read(const char* aktion, const QStringList& initial, Parse parse) const;
    SettingsOutcome write(const char* aktion, const QStringList& lines) const;
    SettingsOutcome failure(const char* aktion, const QString& reason) const;

    QString programFolder;
    QString appDataPath;
    QString messDataPath;
    int language = 0;
};

} // namespace kivo
