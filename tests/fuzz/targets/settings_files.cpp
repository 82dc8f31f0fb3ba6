// Every settings file's reader over the same text.
#include "FuzzInput.h"
#include "settings/SettingsFiles.h"

#include <QLocale>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = kivo::fuzz::fileLines(data, size);
    kivo::KonfiFields konfi;
    (void)kivo::readKonfi(lines, konfi);
    kivo::PortIniFields port;
    (void)kivo::readPortIni(lines, port);
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        kivo::LimitFields limits;
        (void)kivo::readLimitIni(lines, limits, locale);
    }
    int language = 0;
    (void)kivo::readLanguageIni(lines, language);
    for (int languageIndex : {0, 1}) {
        kivo::ProjectCaptions captions;
        (void)kivo::readProjektIni(lines, languageIndex, captions);
    }
    kivo::ProjectData project;
    (void)kivo::readProjektdaten(lines, project);
    return 0;
}
