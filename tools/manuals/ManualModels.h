#pragma once
// The models a manual is written for, and what each has, taken from the
// model table the program itself runs on, so a manual cannot promise what
// its gauge lacks.

#include "device/ModelProfile.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace kivo {

struct ManualModel {
    QString code;     // "RKS": the model table's code, also the folder of its pictures
    QString name;     // "RK-SIVAR"
    QString fileName; // "Manual_RK-SIVAR_TRANSFER.pdf", without the language prefix
    QSet<QString> facts;
    QString picture; // the gauge's picture in the installation's folder, "RKS.gif"
};

// Every fact a manual's blocks may ask for:
//   bluetooth / cable   the gauge is reached over Bluetooth / a cable
//   memory              it stores readings (else it only measures online)
//   onememory           one memory
//   numbered            numbered memories, one of which is read
//   fenfe               an FE and an NFE memory
//   stop                online readings come as lines: the Stop/Continue button
//   sign                readings carry a sign: the "+/-" button
//   material            each reading names its material (Fe, NFe)
QStringList manualFactNames();

// The facts of a model profile.
QSet<QString> manualFacts(const ModelProfile& profile);

// The models of the model table, in its order.
std::vector<ManualModel> manualModels();

} // namespace kivo
