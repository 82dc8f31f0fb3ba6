#pragma once
// The acceptance check as chosen: one of the three rules and its figures,
// and the verdict it gives on a table's readings. The chosen check goes
// with the table (and with its inspection in the archive), so the report
// can judge the readings again as the check window did. Pure.

#include "evaluation/Acceptance.h"
#include "evaluation/Roughness.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kivo {

enum class JudgeRule { Iso19840, ImoPspc, SspcPa2 };

struct Judgement {
    JudgeRule rule = JudgeRule::Iso19840;
    double nominal = 0;             // ISO and IMO: the nominal; SSPC-PA 2: the minimum
    std::optional<double> maximum;  // ISO: when given; SSPC-PA 2: always
    double correction = 0;          // µm taken off every reading
    std::optional<ProfileGrade> grade; // the correction came from the profile grade
    int spotSize = 3;               // SSPC-PA 2 only
    int lowPercent = 80;
    int highPercent = 120;

    bool operator==(const Judgement&) const = default;
};

struct Verdict {
    bool met = false;
    QStringList lines; // the criteria with ✓/✗ and the figures found, then the correction
};

// "ISO 19840", "IMO PSPC 90/10", "SSPC-PA 2".
QString ruleTitle(JudgeRule rule);
// "iso19840", "imo-pspc", "sspc-pa2": kivo-cli's words and the archive's.
QString ruleWord(JudgeRule rule);
std::optional<JudgeRule> ruleOfWord(const QString& word);

// Why the figures cannot judge anything; "" when they can.
QString whyNotJudgement(const Judgement& judgement, bool german);

// Why the check cannot judge `readings` readings (fewer than a spot); "".
QString whyNotJudgedBy(const Judgement& judgement, int readings, bool german);

// The readings (as the statistics count them) judged; numbers in
// `formatNumber`.
Verdict judge(const std::vector<double>& readings, const Judgement& judgement, bool german,
              const std::function<QString(double)>& formatNumber);

// "ISO 19840: erfüllt" / "SSPC-PA 2: not met".
QString verdictLine(JudgeRule rule, bool met, bool german);

// The check as one line of words and C-locale numbers, for the archive
// ("sspc-pa2 min=75 max=125 spot=3 low=80 high=120 correction=0"), and back;
// nullopt for a line that is no check, or one whose figures the program
// would refuse.
QString judgementText(const Judgement& judgement);
std::optional<Judgement> judgementFromText(const QString& text);

} // namespace kivo
