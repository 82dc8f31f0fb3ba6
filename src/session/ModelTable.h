#pragma once
// The six gauge models an installation can be set up for, as data. Adding
// a model means adding a row here (and its picture and test data).

#include "device/ModelProfile.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kivo {

struct ModelRow {
    const char* code;
    bool wholeCode; // the code must stand alone; otherwise its first 3 characters decide
    const char* pgmname;
    const char* picture; // in the program folder
    bool styleB;         // the larger, light-grey status field
    ModelProfile profile;
    // What the gauges of the model call themselves: the beginnings of the
    // codes their identification gives, blank-separated ("VX FE FN"); one
    // ending in "$" is a whole code ("RKT$").
    const char* gaugeCodes;
    // The statistics count signed readings (with "+/-" off); every other
    // model counts their size.
    bool signedStatistics;
    const char* manual;    // the manual's file, without its language prefix
    const char* simulator; // the simulator's gauge that plays it (the demo, the tests)
};

// Every row, in the table's order.
const std::vector<ModelRow>& modelRows();

// The row of the gauge that named itself `geraet` (an identification's code
// or the installation's): the longest of the rows' gauge codes it begins
// with decides; nullptr when none.
const ModelRow* rowForGauge(const QString& geraet);

// The statistics of readings from `geraet` keep their sign.
bool signedStatistics(const QString& geraet);

// The row whose title, picture and status-field look apply to `geraet`:
// the rows are tried in order and a later match overrides an earlier one.
const ModelRow* titleRowFor(const QString& geraet);

// The model profile of `geraet`, from the first three characters of the
// trimmed code; nullopt for an unknown model.
std::optional<ModelProfile> profileFor(const QString& geraet);

// The model codes of the table, in its order, for a message that names them.
QStringList modelCodes();

} // namespace kivo
