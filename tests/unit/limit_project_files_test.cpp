// Limit.ini, Projekt.ini and Projektdaten.ini readers and writers.

#include "QtPrinters.h"
#include "settings/SettingsFiles.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
const QLocale kEnglishLocale(QLocale::English, QLocale::UnitedStates);

LimitFields oldLimits()
{
    return {1, 2, 3, QStringLiteral("old1"), QStringLiteral("old2"), QStringLiteral("old3")};
}

// ---- numbers ------------------------------------------------------------

TEST(LimitNumber, AcceptsEitherDecimalSeparator)
{
    const std::pair<const char*, double> cases[] = {
        {"10", 10},   {"1.5", 1.5},     {"1,5", 1.5},   {" -2,25 ", -2.25}, {"+3", 3},
        {",5", 0.5},  {"5.", 5},        {"1,234", 1.234}, {"1e3", 1000},    {"0", 0},
    };
    for (const auto& [text, value] : cases) {
        const std::optional<double> v = parseLocaleNumber(QString::fromLatin1(text));
        ASSERT_TRUE(v.has_value()) << text;
        EXPECT_DOUBLE_EQ(*v, value) << text;
    }
}

TEST(LimitNumber, RejectsThousandsGroupsAndText)
{
    for (const char* text : {"1.234,5", "1,234.5", "1.234.567", "", " ", "abc", "10a", "1 000", "--1", ".", ","})
        EXPECT_FALSE(parseLocaleNumber(QString::fromLatin1(text)).has_value()) << '"' << text << '"';
}

TEST(LimitNumber, ShortestTextInTheLocale)
{
    struct Case {
        double value;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {0, "0", "0"},           {2, "2", "2"},           {10, "10", "10"},
        {15, "15", "15"},        {20, "20", "20"},        {100, "100", "100"},
        {250, "250", "250"},     {1.5, "1,5", "1.5"},     {0.1, "0,1", "0.1"},
        {-2.5, "-2,5", "-2.5"},  {1234.5, "1234,5", "1234.5"}, {12.345, "12,345", "12.345"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatLimitNumber(c.value, kGermanLocale), QString::fromLatin1(c.german)) << c.value;
        EXPECT_EQ(formatLimitNumber(c.value, kEnglishLocale), QString::fromLatin1(c.english)) << c.value;
    }
}

// ---- Limit.ini ----------------------------------------------------------

TEST(LimitIni, WriterUsesTheLocale)
{
    const LimitFields whole{10, 20, 15, {}, {}, {}};
    EXPECT_EQ(writeLimitIni(whole, kEnglishLocale), QStringList{QStringLiteral("10;20;15;")});
    const LimitFields decimals{1.5, 2.5, 2, {}, {}, {}};
    EXPECT_EQ(writeLimitIni(decimals, kGermanLocale), QStringList{QStringLiteral("1,5;2,5;2;")});
    EXPECT_EQ(writeLimitIni(decimals, kEnglishLocale), QStringList{QStringLiteral("1.5;2.5;2;")});
    EXPECT_EQ(writeLimitIni(LimitFields{}, kGermanLocale), QStringList{QStringLiteral("0;0;0;")});
}

TEST(LimitIni, ReaderSetsValuesAndTheirTexts)
{
    LimitFields f = oldLimits();
    EXPECT_FALSE(readLimitIni({QStringLiteral("10,5;20;15.25;")}, f, kGermanLocale));
    EXPECT_DOUBLE_EQ(f.Emin, 10.5);
    EXPECT_DOUBLE_EQ(f.Emax, 20);
    EXPECT_DOUBLE_EQ(f.Esoll, 15.25);
    EXPECT_EQ(f.EminStr, QStringLiteral("10,5"));
    EXPECT_EQ(f.EmaxStr, QStringLiteral("20"));
    EXPECT_EQ(f.EsollStr, QStringLiteral("15,25"));

    f = oldLimits();
    EXPECT_FALSE(readLimitIni({QStringLiteral(" 10,5 ; -7.5 ;15.25;trailing text")}, f, kEnglishLocale));
    EXPECT_DOUBLE_EQ(f.Emax, -7.5);
    EXPECT_EQ(f.EminStr, QStringLiteral("10.5"));
    EXPECT_EQ(f.EmaxStr, QStringLiteral("-7.5"));
    EXPECT_EQ(f.EsollStr, QStringLiteral("15.25"));
}

TEST(LimitIni, LastNonEmptyLineCounts)
{
    LimitFields f = oldLimits();
    EXPECT_FALSE(readLimitIni({QStringLiteral("1;2;3;"), QStringLiteral("4;5;6;"), QString(), QStringLiteral("  ")},
                              f, kEnglishLocale));
    EXPECT_DOUBLE_EQ(f.Emin, 4);
    EXPECT_DOUBLE_EQ(f.Emax, 5);
    EXPECT_DOUBLE_EQ(f.Esoll, 6);
}

TEST(LimitIni, EmptyFileKeepsTheLimits)
{
    LimitFields f = oldLimits();
    EXPECT_FALSE(readLimitIni({}, f, kEnglishLocale));
    EXPECT_DOUBLE_EQ(f.Emin, 1);
    EXPECT_EQ(f.EsollStr, QStringLiteral("old3"));
}

// A failing line keeps what was set before it, on that line too.
TEST(LimitIni, FailureKeepsTheFieldsSetBeforeIt)
{
    struct Case {
        const char* line;
        int fieldsSet; // Emin, Emax, Esoll in this order
    };
    const Case cases[] = {
        {"12;25;15", 2},       // the third ";" is required
        {"12;25", 1},          {"12", 0},
        {"12;x;15;", 1},       {"abc;25;15;", 0},
        {"1.234,5;25;15;", 0}, // a thousands group is no number
        {"12;25;;", 2},        {";25;15;", 0},
    };
    for (const Case& c : cases) {
        LimitFields f = oldLimits();
        EXPECT_TRUE(readLimitIni({QString::fromLatin1(c.line)}, f, kEnglishLocale)) << c.line;
        EXPECT_DOUBLE_EQ(f.Emin, c.fieldsSet >= 1 ? 12 : 1) << c.line;
        EXPECT_EQ(f.EminStr, c.fieldsSet >= 1 ? QStringLiteral("12") : QStringLiteral("old1")) << c.line;
        EXPECT_DOUBLE_EQ(f.Emax, c.fieldsSet >= 2 ? 25 : 2) << c.line;
        EXPECT_EQ(f.EmaxStr, c.fieldsSet >= 2 ? QStringLiteral("25") : QStringLiteral("old2")) << c.line;
        EXPECT_DOUBLE_EQ(f.Esoll, 3) << c.line;
        EXPECT_EQ(f.EsollStr, QStringLiteral("old3")) << c.line;
    }
}

TEST(LimitIni, FailureOnALaterLineKeepsTheEarlierLine)
{
    LimitFields f = oldLimits();
    EXPECT_TRUE(readLimitIni({QStringLiteral("4;5;6;"), QStringLiteral("7;bad;9;"), QStringLiteral("1;1;1;")}, f,
                             kEnglishLocale));
    EXPECT_DOUBLE_EQ(f.Emin, 7);
    EXPECT_DOUBLE_EQ(f.Emax, 5);
    EXPECT_DOUBLE_EQ(f.Esoll, 6);
}

TEST(LimitIni, WrittenLimitsReadBackInBothLocales)
{
    const LimitFields cases[] = {
        {10, 20, 15, {}, {}, {}},
        {0.1, 99999.5, 12.345, {}, {}, {}},
        {-5.5, 5.5, 0, {}, {}, {}},
        {0.001, 1234567.25, 100, {}, {}, {}},
    };
    for (const QLocale& locale : {kGermanLocale, kEnglishLocale}) {
        for (const LimitFields& written : cases) {
            LimitFields f;
            const QStringList lines = writeLimitIni(written, locale);
            EXPECT_FALSE(readLimitIni(lines, f, locale)) << lines.join(QString()).toStdString();
            EXPECT_EQ(f.Emin, written.Emin);
            EXPECT_EQ(f.Emax, written.Emax);
            EXPECT_EQ(f.Esoll, written.Esoll);
            EXPECT_EQ(lines.first(), f.EminStr + u';' + f.EmaxStr + u';' + f.EsollStr + u';');
        }
    }
}

// ---- Projekt.ini --------------------------------------------------------

ProjectCaptions oldCaptions()
{
    ProjectCaptions c;
    for (int i = 0; i < kProjectFields; ++i) c[size_t(i)] = QStringLiteral("old%1").arg(i + 1);
    return c;
}

TEST(ProjektIni, CaptionOfTheLanguage)
{
    const QStringList lines = {QStringLiteral("# captions of the project fields"),
                               QStringLiteral("Kunde;Customer;"),
                               QString(),
                               QStringLiteral(" Auftrag ;Order;ignored"),
                               QStringLiteral("Prüfer;Inspector;")};
    ProjectCaptions german = oldCaptions();
    EXPECT_FALSE(readProjektIni(lines, 0, german));
    EXPECT_EQ(german[0], QStringLiteral("Kunde"));
    EXPECT_EQ(german[1], QStringLiteral(" Auftrag ")); // caption lines are not trimmed
    EXPECT_EQ(german[2], QStringLiteral("Prüfer"));
    EXPECT_EQ(german[3], QStringLiteral("old4"));     // fewer lines keep the other captions

    ProjectCaptions english = oldCaptions();
    EXPECT_FALSE(readProjektIni(lines, 1, english));
    EXPECT_EQ(english[0], QStringLiteral("Customer"));
    EXPECT_EQ(english[1], QStringLiteral("Order"));
    EXPECT_EQ(english[2], QStringLiteral("Inspector"));
    EXPECT_EQ(english[5], QStringLiteral("old6"));
}

TEST(ProjektIni, AtMostSixCaptionLinesAreUsed)
{
    QStringList lines;
    for (int i = 1; i <= 8; ++i) lines << QStringLiteral("De%1;En%1;").arg(i);
    lines << QStringLiteral("a line past the sixth caption is never parsed");
    for (int language : {0, 1}) {
        ProjectCaptions c = oldCaptions();
        EXPECT_FALSE(readProjektIni(lines, language, c)) << language;
        for (int i = 0; i < kProjectFields; ++i)
            EXPECT_EQ(c[size_t(i)], QStringLiteral("%1%2").arg(language == 0 ? "De" : "En").arg(i + 1));
    }
}

TEST(ProjektIni, EnglishCaptionNeedsTheSecondSeparator)
{
    const QStringList lines = {QStringLiteral("Kunde;Customer;"), QStringLiteral("Auftrag;Order"),
                               QStringLiteral("Prüfer;Inspector;")};
    ProjectCaptions english = oldCaptions();
    EXPECT_TRUE(readProjektIni(lines, 1, english));
    EXPECT_EQ(english[0], QStringLiteral("Customer"));
    EXPECT_EQ(english[1], QStringLiteral("old2"));
    EXPECT_EQ(english[2], QStringLiteral("old3"));

    // The German caption ends at the first ";", so the same file reads.
    ProjectCaptions german = oldCaptions();
    EXPECT_FALSE(readProjektIni(lines, 0, german));
    EXPECT_EQ(german[1], QStringLiteral("Auftrag"));
    EXPECT_EQ(german[2], QStringLiteral("Prüfer"));
}

TEST(ProjektIni, LineWithoutSeparatorFailsInBothLanguages)
{
    for (int language : {0, 1}) {
        ProjectCaptions c = oldCaptions();
        EXPECT_TRUE(readProjektIni({QStringLiteral("Kunde;Customer;"), QStringLiteral(" "),
                                    QStringLiteral("Prüfer;Inspector;")},
                                   language, c));
        EXPECT_EQ(c[0], language == 0 ? QStringLiteral("Kunde") : QStringLiteral("Customer"));
        EXPECT_EQ(c[1], QStringLiteral("old2"));
    }
}

// ---- Projektdaten.ini ---------------------------------------------------

ProjectData oldData()
{
    ProjectData d;
    for (int i = 0; i < kProjectFields; ++i) d.felder[size_t(i)] = QStringLiteral("old%1").arg(i + 1);
    d.date = QDate(2020, 1, 2);
    d.time = QTime(3, 4);
    return d;
}

TEST(Projektdaten, WriterGivesSevenLines)
{
    ProjectData d;
    d.felder = {QStringLiteral("Kunde A"), QString(), QStringLiteral("DT Halle 3"), QStringLiteral("x"),
                QStringLiteral("  blanks kept  "), QStringLiteral("f6")};
    d.date = QDate(2026, 12, 6);
    d.time = QTime(14, 30, 59);
    const QStringList expected = {QStringLiteral("Kunde A"),         QString(),          QStringLiteral("DT Halle 3"),
                                  QStringLiteral("x"),               QStringLiteral("  blanks kept  "),
                                  QStringLiteral("f6"),              QStringLiteral("DT 06.12.2026;14:30")};
    EXPECT_EQ(writeProjektdaten(d), expected);
}

TEST(Projektdaten, ReaderTakesFieldsDateAndTime)
{
    ProjectData d = oldData();
    const QStringList lines = {QStringLiteral("  Kunde A "), QStringLiteral("Auftrag 4711"), QString(),
                               QStringLiteral("Halle 3"),    QStringLiteral("Prüfer"),       QStringLiteral("f6"),
                               QStringLiteral(" DT 06.12.2026;14:30 ")};
    EXPECT_FALSE(readProjektdaten(lines, d));
    EXPECT_EQ(d.felder[0], QStringLiteral("Kunde A"));
    EXPECT_EQ(d.felder[1], QStringLiteral("Auftrag 4711"));
    EXPECT_EQ(d.felder[2], QStringLiteral("old3")); // an empty line leaves its field
    EXPECT_EQ(d.felder[3], QStringLiteral("Halle 3"));
    EXPECT_EQ(d.felder[4], QStringLiteral("Prüfer"));
    EXPECT_EQ(d.felder[5], QStringLiteral("f6"));
    EXPECT_EQ(d.date, QDate(2026, 12, 6));
    EXPECT_EQ(d.time, QTime(14, 30));
}

TEST(Projektdaten, FieldIsCutToThirtyCharacters)
{
    ProjectData d = oldData();
    const QString longText = QStringLiteral("123456789012345678901234567890XYZ");
    EXPECT_FALSE(readProjektdaten({QStringLiteral("   ") + longText}, d));
    EXPECT_EQ(d.felder[0], longText.left(30));
    EXPECT_EQ(d.felder[1], QStringLiteral("old2"));
    EXPECT_EQ(d.date, QDate(2020, 1, 2));
}

TEST(Projektdaten, FieldStartingWithDtIsNotADateLine)
{
    ProjectData d = oldData();
    const QStringList lines = {QStringLiteral("Kunde"),   QStringLiteral("DTX order"), QStringLiteral("DT"),
                               QStringLiteral("Halle 3"), QStringLiteral("Prüfer"),    QStringLiteral("f6"),
                               QStringLiteral("DT 01.03.2025;08:05")};
    EXPECT_FALSE(readProjektdaten(lines, d));
    EXPECT_EQ(d.felder[1], QStringLiteral("DTX order"));
    EXPECT_EQ(d.felder[2], QStringLiteral("DT"));
    EXPECT_EQ(d.felder[3], QStringLiteral("Halle 3"));
    EXPECT_EQ(d.felder[5], QStringLiteral("f6"));
    EXPECT_EQ(d.date, QDate(2025, 3, 1));
    EXPECT_EQ(d.time, QTime(8, 5));
}

TEST(Projektdaten, FieldHoldingADateLineIsReadBothWays)
{
    ProjectData d = oldData();
    EXPECT_FALSE(readProjektdaten({QStringLiteral("DT 24.12.2024;18:00")}, d));
    EXPECT_EQ(d.felder[0], QStringLiteral("DT 24.12.2024;18:00"));
    EXPECT_EQ(d.date, QDate(2024, 12, 24));
    EXPECT_EQ(d.time, QTime(18, 0));
}

TEST(Projektdaten, TimeFollowsTheLastSeparatorAndTheLastDateLineCounts)
{
    ProjectData d = oldData();
    QStringList lines(6, QString());
    lines << QStringLiteral("DT 06.12.2026;14:30") << QStringLiteral("DT 07.11.2027;x;09:45");
    EXPECT_FALSE(readProjektdaten(lines, d));
    EXPECT_EQ(d.date, QDate(2027, 11, 7));
    EXPECT_EQ(d.time, QTime(9, 45));
    EXPECT_EQ(d.felder[0], QStringLiteral("old1"));
}

TEST(Projektdaten, BadTimeFailsAfterTheDateWasSet)
{
    for (const char* line : {"DT 06.12.2026;xx:yy", "DT 06.12.2026", "DT 06.12.2026;25:00"}) {
        ProjectData d = oldData();
        EXPECT_TRUE(readProjektdaten({QStringLiteral("Kunde"), QString::fromLatin1(line), QStringLiteral("later")}, d))
            << line;
        EXPECT_EQ(d.felder[0], QStringLiteral("Kunde")) << line;
        EXPECT_EQ(d.felder[1], QString::fromLatin1(line)) << line;
        EXPECT_EQ(d.felder[2], QStringLiteral("old3")) << line; // not read after the failure
        EXPECT_EQ(d.date, QDate(2026, 12, 6)) << line;
        EXPECT_EQ(d.time, QTime(3, 4)) << line;
    }
}

TEST(Projektdaten, WrittenDataReadsBack)
{
    ProjectData written;
    written.felder = {QStringLiteral("Kunde"),   QStringLiteral("DTX order"), QStringLiteral("Auftrag"),
                      QStringLiteral("Halle 3"), QStringLiteral("Prüfer µm"), QStringLiteral("f6")};
    written.date = QDate(2026, 2, 28);
    written.time = QTime(23, 59);
    ProjectData read = oldData();
    EXPECT_FALSE(readProjektdaten(writeProjektdaten(written), read));
    EXPECT_EQ(read.felder, written.felder);
    EXPECT_EQ(read.date, written.date);
    EXPECT_EQ(read.time, written.time);
}

} // namespace
