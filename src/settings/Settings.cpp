#include "settings/Settings.h"

#include "settings/SettingsFiles.h"
#include "settings/TextFile.h"

#include <QDir>

namespace kivo {

void Settings::setFolders(const QString& programFolder_, const QString& appDataPath_, const QString& messDataPath_)
{
    programFolder = programFolder_;
    appDataPath = appDataPath_;
    messDataPath = messDataPath_;
}

QString Settings::path(const QString& aktion) const
{
    if (aktion == u"KL") return konfiPath(programFolder);
    const QString folder = aktion == u"PI" ? messDataPath : appDataPath;
    return QDir(folder).filePath(settingsFileName(aktion));
}

SettingsOutcome Settings::failure(const char* aktion, const QString& reason) const
{
    return SettingsFailure{settingsErrorText(QString::fromLatin1(aktion), language), reason};
}

template <typename Parse>
SettingsOutcome Settings::read(const char* aktion, const QStringList& initial, Parse parse) const
{
    const QString file = path(QString::fromLatin1(aktion));
    FileError error;
    // Konfi.ini belongs to the installation; the others are made on first use.
    const bool konfi = qstrcmp(aktion, "KL") == 0;
    std::optional<QStringList> lines;
    if (konfi || createIfMissing(file, initial, &error)) lines = readTextLines(file, &error);
    if (!lines) return failure(aktion, error.tooLarge ? tooLargeText(file, language) : fileErrorText(error, language == 0));
    if (const ReadFailure bad = parse(*lines)) return failure(aktion, *bad);
    return std::nullopt;
}

SettingsOutcome Settings::write(const char* aktion, const QStringList& lines) const
{
    // A character the file cannot hold is refused, not written as "?".
    if (const ReadFailure bad = unwritableLines(lines, language)) return failure(aktion, *bad);
    FileError error;
    if (writeTextLines(path(QString::fromLatin1(aktion)), lines, &error)) return std::nullopt;
    const bool german = language == 0;
    return failure(aktion, fileErrorText(error, german));
}

SettingsOutcome Settings::readKonfi(KonfiFields& fields) const
{
    return read("KL", {}, [&](const QStringList& lines) { return kivo::readKonfi(lines, fields); });
}

SettingsOutcome Settings::readPort(PortIniFields& fields) const
{
    return read("CL", {}, [&](const QStringList& lines) { return readPortIni(lines, fields); });
}

SettingsOutcome Settings::writePort(const QString& portnr) const { return write("CS", writePortIni(portnr)); }

SettingsOutcome Settings::readLimits(LimitFields& fields, const QLocale& locale) const
{
    return read("LL", {}, [&](const QStringList& lines) { return readLimitIni(lines, fields, locale); });
}

SettingsOutcome Settings::writeLimits(const LimitFields& fields, const QLocale& locale) const
{
    if (const ReadFailure bad = unwritableLimits(fields, language)) return failure("LS", *bad);
    return write("LS", writeLimitIni(fields, locale));
}

SettingsOutcome Settings::readLanguage(int& languageIndex) const
{
    return read("SL", {QStringLiteral("0")},
                [&](const QStringList& lines) { return readLanguageIni(lines, languageIndex); });
}

SettingsOutcome Settings::writeLanguage(int languageIndex) const
{
    return write("SS", writeLanguageIni(languageIndex));
}

SettingsOutcome Settings::readProjectCaptions(int languageIndex, ProjectCaptions& captions) const
{
    return read("PI", {}, [&](const QStringList& lines) { return readProjektIni(lines, languageIndex, captions); });
}

SettingsOutcome Settings::readProjectData(ProjectData& data) const
{
    return read("PL", {}, [&](const QStringList& lines) { return readProjektdaten(lines, data); });
}

SettingsOutcome Settings::writeProjectData(const ProjectData& data) const
{
    return write("PS", writeProjektdaten(data));
}

} // namespace kivo
