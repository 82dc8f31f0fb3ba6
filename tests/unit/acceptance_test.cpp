// The acceptance rules on hand-worked cases, each boundary on both sides.

#include "QtPrinters.h"
#include "evaluation/Acceptance.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

struct Case {
    const char* name;
    std::vector<double> readings;
    AcceptanceInput input;
    std::vector<bool> met; // per criterion, in order
};

AcceptanceInput iso(double nominal, std::optional<double> maximum = std::nullopt, double correction = 0)
{
    return {AcceptanceRule::Iso19840, nominal, maximum, correction};
}
AcceptanceInput imo(double nominal) { return {AcceptanceRule::ImoPspc9010, nominal, std::nullopt, 0}; }
AcceptanceInput imoCorrected(double nominal, double correction)
{
    return {AcceptanceRule::ImoPspc9010, nominal, std::nullopt, correction};
}

// Ten readings: `low` of them at `lowValue`, the rest at `rest`.
std::vector<double> ten(int low, double lowValue, double rest)
{
    std::vector<double> v(10, rest);
    for (int i = 0; i < low; ++i) v[size_t(i)] = lowValue;
    return v;
}

} // namespace

TEST(Acceptance, HandWorkedCases)
{
    const Case cases[] = {
        // ISO 19840: mean ≥ nominal, every ≥ 80 %, [80 %, 100 %) < 20 %, every ≤ maximum.
        {"iso all at nominal", ten(0, 0, 100), iso(100), {true, true, true}},
        {"iso mean just below", ten(0, 0, 99.9), iso(100), {false, true, false}},
        {"iso exactly 80 % is allowed", ten(1, 80, 110), iso(100), {true, true, true}},
        {"iso just below 80 %", ten(1, 79.9, 110), iso(100), {true, false, true}},
        {"iso 80 % of 110 exactly", ten(1, 88, 120), iso(110), {true, true, true}},
        {"iso one in ten below nominal", ten(1, 95, 110), iso(100), {true, true, true}},
        {"iso exactly 20 % below nominal fails", ten(2, 95, 110), iso(100), {true, true, false}},
        {"iso below 80 % does not count in the 20 %", ten(2, 70, 120), iso(100), {true, false, true}},
        {"iso at the maximum", ten(0, 0, 300), iso(100, 300.0), {true, true, true, true}},
        {"iso above the maximum", ten(1, 300.5, 150), iso(100, 300.0), {true, true, true, false}},
        {"iso correction moves every reading", ten(0, 0, 104), iso(100, std::nullopt, 5), {false, true, false}},
        // IMO PSPC 90/10: ≥ 90 % of readings at nominal, every ≥ 90 %.
        {"imo exactly 90 % at nominal", ten(1, 95, 100), imo(100), {true, true}},
        {"imo 80 % at nominal", ten(2, 95, 100), imo(100), {false, true}},
        {"imo exactly 90 % of nominal", ten(1, 90, 100), imo(100), {true, true}},
        {"imo just below 90 % of nominal", ten(1, 89.9, 100), imo(100), {true, false}},
        {"no readings meet nothing", {}, imo(100), {false, false}},
        // Exactly on a boundary in the readings' own decimals, whatever the
        // binary sums make of them.
        {"iso mean exactly the nominal", {102.6, 100.3, 100.4, 100.7, 102.9, 101.3, 101.9, 100.9, 101.5, 87.5},
         iso(100), {true, true, true}},
        {"imo corrected readings exactly at nominal", ten(0, 0, 128.2), imoCorrected(120, 8.2), {true, true}},
        {"iso corrected reading exactly 80 %", ten(1, 88.3, 120), iso(100, std::nullopt, 8.3), {true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AcceptanceResult r = judgeAcceptance(c.readings, c.input);
        ASSERT_EQ(r.criteria.size(), c.met.size());
        bool all = true;
        for (size_t i = 0; i < c.met.size(); ++i) {
            EXPECT_EQ(r.criteria[i].met, c.met[i]) << "criterion " << i;
            all = all && c.met[i];
        }
        EXPECT_EQ(r.met, all);
    }
}

TEST(Acceptance, FiguresLinesAndWhyNot)
{
    const AcceptanceResult r = judgeAcceptance(ten(2, 95, 110), iso(100, 300.0));
    EXPECT_DOUBLE_EQ(r.criteria[0].found, 107);
    EXPECT_DOUBLE_EQ(r.criteria[1].required, 80);
    EXPECT_DOUBLE_EQ(r.criteria[2].found, 20);
    const auto german = [](double v) { return QLocale(QLocale::German).toString(v, 'f', 1); };
    const QStringList lines = criterionLines(r, true, german);
    EXPECT_EQ(lines[0], QStringLiteral("✓ Mittelwert ≥ 100,0 µm: 107,0 µm"));
    EXPECT_EQ(lines[2], QStringLiteral("✗ Werte von 80 % bis unter 100 % des Nennwerts < 20,0 %: 20,0 %"));
    const auto english = [](double v) { return QLocale(QLocale::English).toString(v, 'f', 1); };
    EXPECT_EQ(criterionLines(r, false, english)[3], QStringLiteral("✓ Every reading ≤ maximum 300.0 µm: highest 110.0 µm"));
    EXPECT_EQ(verdictText(false, true), QStringLiteral("nicht erfüllt"));

    EXPECT_FALSE(whyNotJudged({QStringLiteral("µm  "), QStringLiteral("µm  ")}, true));
    EXPECT_TRUE(whyNotJudged({QStringLiteral("µm  "), QStringLiteral("mils")}, true)->contains(QStringLiteral("verschiedene")));
    EXPECT_TRUE(whyNotJudged({QStringLiteral("A/cm")}, false)->contains(QStringLiteral("A/cm, not in µm")));
    EXPECT_TRUE(whyNotJudged({}, false));
}
