#pragma once
// One reading as the gauge sends it: fixed columns of number (1-4), value
// (7-16), unit (18-21) and material (23-25), 25 characters in all.

#include <QString>
#include <optional>

namespace kivo {

// The leading number of a field, as the gauge writes numbers: blanks are
// ignored anywhere, an optional sign, digits with at most one ".", an
// optional exponent; reading stops at the first other character. No number
// gives 0; a number past the double range gives infinity. The decimal point is always ".", whatever the locale.
double readNumberField(const QString& field);

// mm and the gauge's "ym" become µm, kA/m becomes A/cm, kOe and Oe become G.
void normaliseUnit(double& wert, QString& einheit);

struct RecordFields {
    std::optional<int> nr;            // nullopt for online readings, or when the number is out of range
    double wert = 0;
    bool valueValid = true;           // false: the value is no finite number (refused with `error`)
    QString einheit;                  // 4 characters as normalised
    std::optional<QString> material;  // nullopt: the model's records carry none
    QString error;                    // why a field could not be taken ("" when all went well)
};

// Cuts a record line into its fields for memory kind `messart` (0 FE, 1 NFE,
// 2 online) of a model whose material mode is `materialart`.
RecordFields parseRecordLine(const QString& zeile, int messart, const QString& materialart);

} // namespace kivo
