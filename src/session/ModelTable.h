#pragma once
// The six gauge models an installation can be set up for, as data. Adding
// a model means adding a row here (and its picture and test data).

#include "device/ModelProfile.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kivo {

struct ModelRow {
    const char* code;
    bool wholeCode; // the code must stand alone; otherwise its first 3 characters decide
    const char* pgmname;
    const char* picture; // in the program folder
    bool styleB;         // the larger, light-grey status field
    ModelProfile profile;
};

// The row whose title, picture and status-field look apply to `geraet`:
// the rows are tried in order and a later match overrides an earlier one.
const ModelRow* titleRowFor(const QString& geraet);

// The model profile of `geraet`, from the first three characters of the
// trimmed code; nullopt for an unknown model.
std::optional<ModelProfile> profileFor(const QString& geraet);

// The model codes of the table, in its order, for a message that names them.
QStringList modelCodes();

} // namespace kivo
