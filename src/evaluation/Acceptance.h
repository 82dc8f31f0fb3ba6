#pragma once
// Whether a coat passes: the two acceptance rules inspectors are asked for
// most, worked out on the readings of one table. Pure: values in, verdict out.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kivo {

enum class AcceptanceRule { Iso19840, ImoPspc9010 };

struct AcceptanceInput {
    AcceptanceRule rule = AcceptanceRule::Iso19840;
    double nominal = 0;              // nominal dry film thickness, µm
    std::optional<double> maximum;   // ISO 19840: none when not given
    double correction = 0;           // subtracted from every reading first
};

enum class CriterionKind {
    MeanAtLeastNominal,      // ISO: mean ≥ nominal
    AllAtLeast80Percent,     // ISO: every reading ≥ 80 % of nominal
    Below100UnderFifth,      // ISO: readings in [80 %, 100 %) fewer than 20 % of all
    AllAtMostMaximum,        // ISO: every reading ≤ maximum (only with a maximum)
    NinetyPercentAtNominal,  // IMO: at least 90 % of readings ≥ nominal
    AllAtLeast90Percent,     // IMO: every reading ≥ 90 % of nominal
};

struct Criterion {
    CriterionKind kind;
    bool met = false;
    double required = 0; // the limit the criterion sets (a thickness or a share in %)
    double found = 0;    // the figure found (a thickness or a share in %)
};

struct AcceptanceResult {
    std::vector<Criterion> criteria;
    bool met = false;
};

// The table the check judges, as it is on show now: its name as the
// statistics name it, the readings as the statistics count them, their
// units as stored, and whether a sign was dropped on the way.
struct JudgedTable {
    QString name;
    std::vector<double> values;
    QStringList units;
    bool absolute = false;

    // A reading as stored, counted as the statistics count it: its size,
    // unless the model has signed statistics and absolute values are off.
    void add(double stored, const QString& unit, bool signedModel, bool absolut);
};

// The same readings judged the same way, whatever the table is called.
bool sameReadings(const JudgedTable& a, const JudgedTable& b);

// What was judged: the table, how many readings, and whether their absolute
// values ("Geprüft: Speicher1, 12 Messwerte, Absolutwerte").
QString judgedLine(const JudgedTable& table, bool german);

// Judges corrected readings. An empty list meets nothing.
AcceptanceResult judgeAcceptance(const std::vector<double>& readings, const AcceptanceInput& input);

// Why a table cannot be judged (its readings are no coat thickness in µm, or
// of more than one unit); nullopt when it can. Units as stored (4 wide).
std::optional<QString> whyNotJudged(const QStringList& units, bool german);

// One line per criterion: "✓ " or "✗ ", what is required, the figure found;
// numbers in `formatNumber` (the system's number format).
QStringList criterionLines(const AcceptanceResult& result, bool german,
                           const std::function<QString(double)>& formatNumber);
QString verdictText(bool met, bool german);

} // namespace kivo
