#pragma once
// What the main window knows about the program, the gauge and the link.
// Plain data, named as the rest of the program names it.

#include "app/ModelTable.h"
#include "device/IdentReply.h"
#include "settings/SettingsFiles.h"
#include "table/Records.h"

#include <QString>

namespace kivo {

inline constexpr const char* kVersnr = "V3.02";
inline constexpr const char* kOwnBrand = "Brenvor";
inline constexpr const char* kPartnerBrandCode = "SR";

// Commands of the wire protocol, each sent with CR LF.
inline constexpr const char* kBefehlKennung = "$kivo00$\r\n";
inline constexpr const char* kBefehlSpeicher1 = "$kivo10$\r\n";
inline constexpr const char* kBefehlSpeicher2 = "$kivo11$\r\n";

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

struct ConnectionState {
    bool CheckConnect = false;
    bool abgeschaltet = false;
    QString portnr;
    int oeffnenVersuche = 0;
    bool pruefenBeimVerbinden = false;
    QString befehl;
    QString befehlKennung;
    QString befehlSpeicher1;
    QString befehlSpeicher2;
    QString empfang;
    bool eotErkannt = false;
    int messart = 0;
    bool SchalterStop = false;
};

} // namespace kivo
