#pragma once
// What the main window knows about the program, the gauge and the link.
// Plain data, named as the rest of the program names it.

#include "session/ModelTable.h"
#include "session/Version.h"
#include "device/IdentReply.h"
#include "settings/SettingsFiles.h"
#include "table/Records.h"

#include <QString>

namespace kivo {

inline constexpr const char* kOwnBrand = "Brenvor";
inline constexpr const char* kPartnerBrandCode = "SR";

struct ProgramIdentity {
    QString versnr;
    QString geraet;      // model code of the installation; later the identified gauge
    QString pgmname;     // program name in the title
    QString kpgmname;    // program name of the partner brand
    QString brandCode;   // "" own brand, "SR" partner brand
    QString brandName;   // brand folder and company name
    QString programFolder;
    QString AppDataPath; // settings, log, manuals
    QString MessDataPath; // Projekt.ini and measurement files
    QString applicationTitle; // caption of message boxes
    QString titleText() const { return pgmname + u' ' + versnr; }
};


} // namespace kivo
