// SSPC-PA 2 worked by hand: spots and areas on each side of every
// boundary, a last spot too short to judge, both languages.

#include "evaluation/SspcPa2.h"
#include "shared/LocaleNumber.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

// Minimum 100, maximum 200: a spot within 80..240 µm, an area within 100..200 µm.
const SspcInput kInput{100, 200, 3, 80, 120, 0};

std::vector<double> spotsOf(const std::vector<std::vector<double>>& spots, std::vector<double> tail = {})
{
    std::vector<double> readings;
    for (const auto& s : spots) readings.insert(readings.end(), s.begin(), s.end());
    readings.insert(readings.end(), tail.begin(), tail.end());
    return readings;
}

QString number(double v, bool german) { return formatFixed(v, 2, languageLocale(german)); }

TEST(SspcPa2, EveryBoundaryIsWithin)
{
    // Spot 1 at exactly 80 %, spot 5 at 120 µm; area 1 exactly at the
    // minimum. Spot 6 at exactly 120 % of the maximum; area 2 exactly at
    // the maximum. Two readings at the end fill no spot.
    const std::vector<double> readings = spotsOf(
        {{79, 80, 81}, {100, 100, 100}, {100, 100, 100}, {100, 100, 100}, {119, 120, 121},
         {240, 240, 240}, {190, 190, 190}, {190, 190, 190}, {190, 190, 190}, {190, 190, 190}},
        {50, 500});
    const SspcResult r = judgeSspcPa2(readings, kInput);
    ASSERT_EQ(r.spots.size(), 10u);
    ASSERT_EQ(r.areas.size(), 2u);
    EXPECT_DOUBLE_EQ(r.spots[0].mean, 80);
    EXPECT_DOUBLE_EQ(r.areas[0].mean, 100);
    EXPECT_DOUBLE_EQ(r.areas[1].mean, 200);
    EXPECT_EQ(r.leftOver, 2);
    EXPECT_TRUE(r.met);
    const QStringList de = sspcLines(r, kInput, true, [](double v) { return number(v, true); });
    EXPECT_EQ(de.value(0), QStringLiteral("✓ Jeder Spot (Mittel aus 3 Messwerten) zwischen 80,00 und 240,00 µm: 10 Spots"));
    EXPECT_EQ(de.value(1), QStringLiteral("✓ Jede Fläche (Mittel aus 5 Spots) zwischen 100,00 und 200,00 µm: 2 Flächen"));
    EXPECT_EQ(de.value(2), QStringLiteral("2 Messwerte am Ende füllen keinen Spot und sind nicht beurteilt."));
}

TEST(SspcPa2, JustBeyondEachBoundaryFailsAndIsNamedByItsReadings)
{
    // Spots of 79.99 and 240.01 µm; areas of 99.99 µm (79.99, 100, 100,
    // 100, 119.96) and 200.01 µm (240.01, 190.04, 190, 190, 190).
    const std::vector<double> readings = spotsOf(
        {{79, 80, 80.97}, {100, 100, 100}, {100, 100, 100}, {100, 100, 100}, {119, 120, 120.88},
         {240, 240, 240.03}, {190, 190, 190.12}, {190, 190, 190}, {190, 190, 190}, {190, 190, 190}});
    const SspcResult r = judgeSspcPa2(readings, kInput);
    EXPECT_FALSE(r.met);
    EXPECT_FALSE(r.spots[0].met);
    EXPECT_TRUE(r.spots[4].met);
    EXPECT_FALSE(r.spots[5].met);
    EXPECT_FALSE(r.areas[0].met);
    EXPECT_FALSE(r.areas[1].met);
    EXPECT_EQ(r.leftOver, 0);
    const QStringList en = sspcLines(r, kInput, false, [](double v) { return number(v, false); });
    EXPECT_EQ(en, (QStringList{
                      QStringLiteral("✗ Every spot (the mean of 3 readings) within 80.00 to 240.00 µm: 10 spots"),
                      QStringLiteral("   Spot of readings 1–3: 79.99 µm"),
                      QStringLiteral("   Spot of readings 16–18: 240.01 µm"),
                      QStringLiteral("✗ Every area (the mean of 5 spots) within 100.00 to 200.00 µm: 2 areas"),
                      QStringLiteral("   Area of readings 1–15: 99.99 µm (spots: 5)"),
                      QStringLiteral("   Area of readings 16–30: 200.01 µm (spots: 5)"),
                  }));
}

TEST(SspcPa2, AShortLastAreaIsJudgedAndSaid)
{
    // Six spots of 150 µm: a second area of one spot; spots of 2 readings.
    SspcInput two = kInput;
    two.spotSize = 2;
    const SspcResult r = judgeSspcPa2(std::vector<double>(13, 150.0), two);
    EXPECT_EQ(r.spots.size(), 6u);
    ASSERT_EQ(r.areas.size(), 2u);
    EXPECT_EQ(r.areas[1].spots, 1);
    EXPECT_EQ(r.leftOver, 1);
    EXPECT_TRUE(r.met);
    const QStringList de = sspcLines(r, two, true, [](double v) { return number(v, true); });
    EXPECT_TRUE(de.contains(QStringLiteral("   Fläche aus den Messwerten 11–12: 150,00 µm, Spots: nur 1")));
    // Too few readings for a single spot: nothing met.
    EXPECT_FALSE(judgeSspcPa2({150, 150}, kInput).met);
    // Figures that cannot be judged.
    EXPECT_FALSE(whyNotSspc({200, 100}, false).isEmpty());
    EXPECT_FALSE(whyNotSspc({100, 200, 0}, true).isEmpty());
    EXPECT_FALSE(whyNotSspc({100, 200, 3, 120, 120}, true).isEmpty());
    EXPECT_TRUE(whyNotSspc(kInput, true).isEmpty());
}

} // namespace
} // namespace kivo

#include "evaluation/Acceptance.h"
#include "evaluation/Roughness.h"

namespace kivo {
namespace {

// ISO 19840 on a rough substrate: the grade's correction is taken off every
// reading before it is judged, and the verdict says which correction.
TEST(Roughness, TheGradesCorrectionIsTakenOffEveryReading)
{
    EXPECT_EQ(gradeCorrection(ProfileGrade::Fine), 10);
    EXPECT_EQ(gradeCorrection(*gradeNamed(QStringLiteral("Medium"))), 25);
    EXPECT_EQ(gradeCorrection(ProfileGrade::Coarse), 40);
    EXPECT_FALSE(gradeNamed(QStringLiteral("rough")));
    // 125 µm read on a medium profile is 100 µm of coat: exactly the nominal.
    AcceptanceInput in{AcceptanceRule::Iso19840, 100, std::nullopt, gradeCorrection(ProfileGrade::Medium)};
    EXPECT_TRUE(judgeAcceptance({125, 125, 125}, in).met);
    EXPECT_FALSE(judgeAcceptance({124.9, 125, 125}, in).criteria[0].met);
    EXPECT_EQ(correctionLine(ProfileGrade::Medium, 25, QStringLiteral("25,0"), true),
              QStringLiteral("Korrektur für die Rauheit nach ISO 19840, Profil mittel: 25,0 µm je Messwert"));
    EXPECT_EQ(correctionLine(std::nullopt, 12, QStringLiteral("12.0"), false),
              QStringLiteral("Correction for roughness, measured: 12.0 µm a reading"));
    EXPECT_EQ(correctionLine(std::nullopt, 0, QStringLiteral("0"), false), QString());
}

} // namespace
} // namespace kivo
