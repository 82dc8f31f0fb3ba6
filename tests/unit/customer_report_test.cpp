// The inspection report's content: the check kept as a line and read back,
// which side of the limits a reading lies on, the histogram, the figures,
// and what is refused; both languages.

#include "evaluation/Judgement.h"
#include "output/CustomerReport.h"
#include "shared/LocaleNumber.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(Judgement, EveryRuleComesBackFromItsLine)
{
    Judgement iso;
    iso.nominal = 120.5;
    iso.maximum = 361.5;
    iso.grade = ProfileGrade::Medium;
    iso.correction = 25;
    Judgement imo;
    imo.rule = JudgeRule::ImoPspc;
    imo.nominal = 320;
    imo.correction = 0.1 + 0.2; // to the last bit
    Judgement sspc;
    sspc.rule = JudgeRule::SspcPa2;
    sspc.nominal = 75;
    sspc.maximum = 125;
    sspc.spotSize = 5;
    sspc.lowPercent = 90;
    sspc.highPercent = 110;
    for (const Judgement& j : {iso, imo, sspc}) {
        const std::optional<Judgement> back = judgementFromText(judgementText(j));
        ASSERT_TRUE(back) << judgementText(j).toStdString();
        EXPECT_EQ(*back, j) << judgementText(j).toStdString();
    }
    EXPECT_EQ(judgementText(sspc), u"sspc-pa2 min=75 max=125 spot=5 low=90 high=110 correction=0");
    for (const char* junk : {"", "iso19840 nominal=abc", "iso19841 nominal=1", "iso19840 nominal=inf",
                             "sspc-pa2 min=1 colour=red", "iso19840 grade=smooth",
                             // figures the program would refuse, as an edited archive row may hold them
                             "iso19840 nominal=-5 max=300 correction=0", "iso19840 nominal=100 correction=-50",
                             "sspc-pa2 min=100 max=150 spot=0 low=80 high=120 correction=0",
                             "sspc-pa2 min=140 max=100 spot=3 low=80 high=120 correction=0",
                             "sspc-pa2 min=100 max=150 spot=3 low=500 high=-20 correction=0",
                             "sspc-pa2 min=100 spot=3 low=80 high=120 correction=0",
                             "iso19840 nominal=100 correction=10 grade=coarse",
                             "imo-pspc nominal=100 correction=100"})
        EXPECT_FALSE(judgementFromText(QString::fromUtf8(junk))) << junk;
}

TEST(Judgement, TheVerdictCarriesTheCorrectionAndTheRule)
{
    const auto fmt = [](double v) { return formatFixed(v, 1, languageLocale(true)); };
    Judgement j;
    j.nominal = 100;
    j.maximum = 300;
    j.grade = ProfileGrade::Fine;
    j.correction = 10;
    // 112 less 10 is 102: met; less the coarse grade's 40 it would not be.
    const Verdict fine = judge({112, 112, 112}, j, true, fmt);
    EXPECT_TRUE(fine.met);
    EXPECT_EQ(fine.lines.last(), u"Korrektur für die Rauheit nach ISO 19840, Profil fein: 10,0 µm je Messwert");
    j.grade = ProfileGrade::Coarse;
    j.correction = 40;
    EXPECT_FALSE(judge({112, 112, 112}, j, false, fmt).met);
    EXPECT_EQ(verdictLine(JudgeRule::SspcPa2, false, true), u"SSPC-PA 2: nicht erfüllt");
    EXPECT_EQ(verdictLine(JudgeRule::ImoPspc, true, false), u"IMO PSPC 90/10: met");

    Judgement sspc;
    sspc.rule = JudgeRule::SspcPa2;
    sspc.nominal = 100;
    sspc.maximum = 200;
    const Verdict v = judge({100, 100, 100, 80, 80}, sspc, false, fmt);
    EXPECT_TRUE(v.met);
    EXPECT_EQ(v.lines.last(), u"2 readings at the end fill no spot and are not judged.");
    // Fewer readings than a spot holds: nothing to judge, rather than "not met".
    EXPECT_EQ(whyNotJudgedBy(sspc, 2, false), u"2 readings fill no spot of 3 readings: there is nothing to judge.");
    EXPECT_TRUE(whyNotJudgedBy(sspc, 3, false).isEmpty());
    sspc.maximum = 50;
    EXPECT_FALSE(whyNotJudgement(sspc, false).isEmpty()) << "a maximum below the minimum";
}

TEST(CustomerReport, SidesOfTheLimits)
{
    LimitFields limits;
    EXPECT_EQ(sideOf(5, true, limits), Side::None);
    limits.Emin = 80;
    limits.Emax = 120;
    EXPECT_EQ(sideOf(79.99, true, limits), Side::Below);
    EXPECT_EQ(sideOf(80, true, limits), Side::Within);
    EXPECT_EQ(sideOf(120, true, limits), Side::Within);
    EXPECT_EQ(sideOf(120.01, true, limits), Side::Above);
    EXPECT_EQ(sideOf(-100, true, limits), Side::Within) << "its size, absolute values on";
    EXPECT_EQ(sideOf(-100, false, limits), Side::Below);
    limits.Emax = 0; // a minimum alone
    EXPECT_EQ(sideOf(1e6, true, limits), Side::Within);
    EXPECT_EQ(sideMark(Side::Below), u"▼");
    EXPECT_EQ(sideMark(Side::Above), u"▲");
    EXPECT_TRUE(sideMark(Side::Within).isEmpty());
}

TEST(CustomerReport, TheHistogramHoldsEveryReadingAndTheLimits)
{
    std::vector<double> values;
    for (int i = 0; i < 400; ++i) values.push_back(100 + i % 40);
    const Histogram h = histogramOf(values, {90, 150});
    EXPECT_EQ(h.counts.size(), 20u); // the square root of 400
    EXPECT_LE(h.lo, 90);
    EXPECT_GE(h.lo + h.width * double(h.counts.size()), 150 - 1e-9);
    int sum = 0;
    for (int c : h.counts) sum += c;
    EXPECT_EQ(sum, 400);
    const Histogram one = histogramOf({7, 7, 7}, {});
    EXPECT_EQ(one.counts.size(), 5u);
    EXPECT_GT(one.width, 0);
    int ones = 0;
    for (int c : one.counts) ones += c;
    EXPECT_EQ(ones, 3);
}

ReportSource source(bool german)
{
    ReportSource s;
    s.german = german;
    s.locale = languageLocale(german);
    s.brand = QStringLiteral("Brenvor");
    s.program = QStringLiteral("RIDIVORI 3.02");
    s.memory = QStringLiteral("FE-Speicher");
    s.captions = {QStringLiteral("Kunde"), QStringLiteral("Auftrag")};
    s.fields = {QStringLiteral("Werft Nord")};
    const double values[] = {70, 100, 110, 130, 90};
    for (int i = 0; i < 5; ++i) {
        s.readings.push_back({i + 1, values[i], QStringLiteral("µm  "), QStringLiteral(" Fe"), QStringLiteral("07.12.2026"),
                              QStringLiteral("14:05:0%1").arg(i)});
        s.counted.push_back(values[i]);
    }
    s.limits.Emin = 80;
    s.limits.Emax = 120;
    s.tableName = QStringLiteral("FE-Speicher");
    return s;
}

QString figure(const CustomerReport& r, const QString& caption)
{
    for (const ReportPair& p : r.figures)
        if (p.caption == caption) return p.value;
    return QStringLiteral("(none)");
}

TEST(CustomerReport, FiguresCountsAndMarksInBothLanguages)
{
    const CustomerReport de = buildCustomerReport(source(true));
    EXPECT_EQ(figure(de, u"Anzahl"_qs), u"5");
    EXPECT_EQ(figure(de, u"Mittelwert"_qs), u"100,0 µm");
    EXPECT_EQ(figure(de, u"Standardabweichung"_qs), u"22,36 µm"); // sqrt(2000 / 4)
    EXPECT_EQ(figure(de, u"Variationskoeffizient"_qs), u"22,4 %");
    EXPECT_EQ(figure(de, u"unter der Untergrenze"_qs), u"1");
    EXPECT_EQ(figure(de, u"innerhalb der Grenzen"_qs), u"3");
    EXPECT_EQ(figure(de, u"über der Obergrenze"_qs), u"1");
    EXPECT_EQ(figure(de, u"Sollwert"_qs), u"nicht gesetzt");
    ASSERT_EQ(de.cells.size(), 5u);
    EXPECT_EQ(de.cells[0].side, Side::Below);
    EXPECT_EQ(de.cells[3].side, Side::Above);
    EXPECT_EQ(de.cells[1].value, u"100,0");
    EXPECT_FALSE(de.legend.isEmpty());
    EXPECT_TRUE(de.verdictTitle.isEmpty()) << "no check chosen";
    EXPECT_EQ(de.head.front().value, u"nicht bekannt (Messwerte aus einer Datei)");
    EXPECT_EQ(de.head.back().value, u"07.12.2026 14:05:00 bis 14:05:04"); // the day once
    EXPECT_EQ(de.project.front().caption, u"Kunde");
    EXPECT_EQ(de.project.front().value, u"Werft Nord");
    EXPECT_EQ(de.project[1].value, u"–");
    EXPECT_EQ(de.pageText.arg(2).arg(9), u"Seite 2 von 9");

    // Sizes of signed readings are said, as the statistics beside the table say them.
    ReportSource signedReadings = source(true);
    signedReadings.signDropped = true;
    signedReadings.projectDate = QStringLiteral("07.12.2026 14:30");
    const CustomerReport sizes = buildCustomerReport(signedReadings);
    EXPECT_EQ(sizes.figuresTitle, u"Statistik und Grenzen (mit Absolutwerten)");
    EXPECT_EQ(sizes.project.front().caption, u"Projektdatum");
    EXPECT_EQ(sizes.project.front().value, u"07.12.2026 14:30");

    ReportSource en = source(false);
    en.gaugeModel = QStringLiteral("RKS");
    en.serial = QStringLiteral("00:11:22:33:44:55");
    en.judgement = Judgement{};
    en.judgement->nominal = 100;
    en.judgement->maximum = 300;
    const CustomerReport r = buildCustomerReport(en);
    EXPECT_EQ(figure(r, u"Mean"_qs), u"100.0 µm");
    EXPECT_EQ(r.head.front().value, u"RKS");
    EXPECT_EQ(r.head[1].value, u"00:11:22:33:44:55");
    EXPECT_EQ(r.verdictTitle, u"Acceptance check: ISO 19840");
    EXPECT_EQ(r.verdictLines.front(), u"Checked: FE-Speicher, 5 readings");
    EXPECT_EQ(r.verdict, u"ISO 19840: not met");
    EXPECT_EQ(r.pageText.arg(1).arg(1), u"Page 1 of 1");
}

TEST(CustomerReport, NoReadingsOrMixedUnitsGiveNoReport)
{
    ReportSource s = source(true);
    EXPECT_TRUE(whyNoReport(s).isEmpty());
    s.readings[2].unit = QStringLiteral("mils");
    EXPECT_EQ(whyNoReport(s), u"Die Tabelle hält Messwerte in mehr als einer Einheit (µm, mils): ein Prüfbericht braucht "
                              u"Messwerte einer Einheit.");
    s.readings.clear();
    s.counted.clear();
    EXPECT_EQ(whyNoReport(s), u"Die Tabelle hält keine Messwerte: es gibt keinen Prüfbericht.");
    s.german = false;
    EXPECT_EQ(whyNoReport(s), u"The table holds no readings: there is no inspection report.");
}

} // namespace
} // namespace kivo
