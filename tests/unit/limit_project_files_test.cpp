// Limit.ini, Projekt.ini and Projektdaten.ini readers and writers.

#include "QtPrinters.h"
#include "settings/SettingsFiles.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// ---- numbers ------------------------------------------------------------

TEST(LimitNumber, EitherDecimalSeparatorButNoThousandsGroup)
{
    const std::pair<const char*, double> numbers[] = {
        {"1.5", 1.5}, {" -2,25 ", -2.25}, {"+3", 3}, {",5", 0.5}, {"5.", 5}, {"1,234", 1.234}, {"1e3", 1000},
    };
    for (const auto& [text, value] : numbers) {
        const std::optional<double> v = parseLocaleNumber(text);
        ASSERT_TRUE(v.has_value()) << text;
        EXPECT_DOUBLE_EQ(*v, value) << text;
    }
    for (const char* text : {"1.234,5", "1,234.5", "1.234.567", "", "abc", "10a", "1 000", "--1", "."})
        EXPECT_FALSE(parseLocaleNumber(text).has_value()) << '"' << text << '"';
}

// The shortest text that gives the value back, in the locale, never grouped.
TEST(LimitNumber, ShortestTextInTheLocale)
{
    const std::tuple<double, const char*, const char*> cases[] = {
        {0, "0", "0"}, {10, "10", "10"}, {0.1, "0,1", "0.1"}, {-2.5, "-2,5", "-2.5"}, {1234.5, "1234,5", "1234.5"},
    };
    for (const auto& [value, german, english] : cases) {
        EXPECT_EQ(formatLimitNumber(value, kGerman), german) << value;
        EXPECT_EQ(formatLimitNumber(value, kEnglish), english) << value;
    }
}

// ---- Limit.ini ----------------------------------------------------------

LimitFields oldLimits() { return {1, 2, 3, "old1", "old2", "old3"}; }

// The values and their texts, for whole comparisons.
QString shown(const LimitFields& f)
{
    return QStringLiteral("%1 %2 %3 | %4 %5 %6")
        .arg(f.Emin).arg(f.Emax).arg(f.Esoll).arg(f.EminStr, f.EmaxStr, f.EsollStr);
}

TEST(LimitIni, WrittenInTheLocaleAndReadBackInEither)
{
    EXPECT_EQ(writeLimitIni({1.5, 2.5, 2, {}, {}, {}}, kGerman), QStringList{"1,5;2,5;2;"});
    EXPECT_EQ(writeLimitIni({1.5, 2.5, 2, {}, {}, {}}, kEnglish), QStringList{"1.5;2.5;2;"});
    const LimitFields cases[] = {{0.1, 99999.5, 12.345, {}, {}, {}}, {-5.5, 1234567.25, 0.001, {}, {}, {}}};
    for (const QLocale& locale : {kGerman, kEnglish}) {
        for (const LimitFields& written : cases) {
            LimitFields f;
            const QStringList lines = writeLimitIni(written, locale);
            EXPECT_FALSE(readLimitIni(lines, f, locale)) << lines.join(QString()).toStdString();
            EXPECT_EQ(std::tuple(f.Emin, f.Emax, f.Esoll), std::tuple(written.Emin, written.Emax, written.Esoll));
            EXPECT_EQ(lines.first(), f.EminStr + u';' + f.EmaxStr + u';' + f.EsollStr + u';');
        }
    }
}

TEST(LimitIni, ReaderTakesTheLastNonEmptyLineWithEitherSeparator)
{
    LimitFields f = oldLimits();
    EXPECT_FALSE(readLimitIni({}, f, kGerman));
    EXPECT_EQ(shown(f), "1 2 3 | old1 old2 old3");
    EXPECT_FALSE(readLimitIni({"1;2;3;", " 10,5 ; -7.5 ;15.25;trailing text", "", "  "}, f, kGerman));
    EXPECT_EQ(shown(f), "10.5 -7.5 15.25 | 10,5 -7,5 15,25");
}

// A failing line keeps what was set before it, on that line too, and the
// lines before it.
TEST(LimitIni, FailureKeepsTheFieldsSetBeforeIt)
{
    const std::pair<QStringList, const char*> cases[] = {
        {{"12;25;15"}, "12 25 3 | 12 25 old3"}, // the third ";" is required
        {{"12"}, "1 2 3 | old1 old2 old3"},
        {{"12;x;15;"}, "12 2 3 | 12 old2 old3"},
        {{"1.234,5;25;15;"}, "1 2 3 | old1 old2 old3"}, // a thousands group is no number
        {{"12;25;;"}, "12 25 3 | 12 25 old3"},
        {{"4;5;6;", "7;bad;9;", "1;1;1;"}, "7 5 6 | 7 5 6"},
        {{"nan;50;0;"}, "1 2 3 | old1 old2 old3"}, // no finite number: the file is bad
        {{"10;inf;0;"}, "10 2 3 | 10 old2 old3"},
        {{"10;20;1e999;"}, "10 20 3 | 10 20 old3"},
    };
    for (const auto& [lines, fields] : cases) {
        LimitFields f = oldLimits();
        EXPECT_TRUE(readLimitIni(lines, f, kEnglish)) << lines.join(u'|').toStdString();
        EXPECT_EQ(shown(f), fields);
    }
}

// ---- Projekt.ini --------------------------------------------------------

ProjectCaptions oldCaptions() { return {"old1", "old2", "old3", "old4", "old5", "old6"}; }

TEST(ProjektIni, CaptionOfTheLanguage)
{
    const QStringList lines = {"# captions of the project fields", "Kunde;Customer;", "", " Auftrag ;Order;ignored",
                               "Prüfer;Inspector;"};
    ProjectCaptions german = oldCaptions();
    EXPECT_FALSE(readProjektIni(lines, 0, german));
    // Caption lines are not trimmed; fewer lines keep the other captions.
    EXPECT_EQ(german, ProjectCaptions({"Kunde", " Auftrag ", "Prüfer", "old4", "old5", "old6"}));
    ProjectCaptions english = oldCaptions();
    EXPECT_FALSE(readProjektIni(lines, 1, english));
    EXPECT_EQ(english, ProjectCaptions({"Customer", "Order", "Inspector", "old4", "old5", "old6"}));

    // At most six caption lines are used; a line past them is never parsed.
    QStringList six;
    for (int i = 1; i <= 6; ++i) six << QStringLiteral("De%1;En%1;").arg(i);
    EXPECT_FALSE(readProjektIni(six << "no caption", 1, english));
    EXPECT_EQ(english, ProjectCaptions({"En1", "En2", "En3", "En4", "En5", "En6"}));
}

TEST(ProjektIni, MissingSeparatorStopsTheReading)
{
    // The English caption needs the second ";", the German one ends at the
    // first, so the same file reads in German.
    const QStringList lines = {"Kunde;Customer;", "Auftrag;Order", "Prüfer;Inspector;"};
    ProjectCaptions english = oldCaptions();
    EXPECT_TRUE(readProjektIni(lines, 1, english));
    EXPECT_EQ(english, ProjectCaptions({"Customer", "old2", "old3", "old4", "old5", "old6"}));
    ProjectCaptions german = oldCaptions();
    EXPECT_FALSE(readProjektIni(lines, 0, german));
    EXPECT_EQ(german[2], "Prüfer");
    // A line without any ";" fails in both languages.
    for (int language : {0, 1}) {
        ProjectCaptions c = oldCaptions();
        EXPECT_TRUE(readProjektIni({"Kunde;Customer;", " ", "Prüfer;Inspector;"}, language, c));
        EXPECT_EQ(c[1], "old2");
    }
}

// ---- Projektdaten.ini ---------------------------------------------------

using Fields = std::array<QString, kProjectFields>;

ProjectData oldData() { return {{"old1", "old2", "old3", "old4", "old5", "old6"}, QDate(2020, 1, 2), QTime(3, 4)}; }

TEST(Projektdaten, SixFieldsThenTheDateLineAndBack)
{
    const ProjectData written{{"Kunde A", "", "DTX order", "x", "  blanks kept  ", "Prüfer µm"}, QDate(2026, 12, 6),
                              QTime(14, 30, 59)};
    const QStringList lines = writeProjektdaten(written);
    EXPECT_EQ(lines,
              QStringList({"Kunde A", "", "DTX order", "x", "  blanks kept  ", "Prüfer µm", "DT 06.12.2026;14:30"}));
    ProjectData read = oldData();
    EXPECT_FALSE(readProjektdaten(lines, read));
    // Read back trimmed; an empty line leaves its field.
    EXPECT_EQ(read.felder, Fields({"Kunde A", "old2", "DTX order", "x", "blanks kept", "Prüfer µm"}));
    EXPECT_EQ(read.date, QDate(2026, 12, 6));
    EXPECT_EQ(read.time, QTime(14, 30));
    // A field is cut to thirty characters.
    EXPECT_FALSE(readProjektdaten({"   123456789012345678901234567890XYZ"}, read));
    EXPECT_EQ(read.felder[0], "123456789012345678901234567890");
}

TEST(Projektdaten, OnlyALineWithAValidDateAfterTheFieldsIsTheDateLine)
{
    ProjectData d = oldData();
    // Field texts may start with "DT", a date too: the six field lines are
    // fields whatever they hold; the time follows the last ";", and the last
    // date line counts.
    EXPECT_FALSE(readProjektdaten({"DT 24.12.2024;18:00", "DTX order", "DT", "", "", "", "DT 07.11.2027;x;09:45"}, d));
    EXPECT_EQ(d.felder, Fields({"DT 24.12.2024;18:00", "DTX order", "DT", "old4", "old5", "old6"}));
    EXPECT_EQ(d.date, QDate(2027, 11, 7));
    EXPECT_EQ(d.time, QTime(9, 45));
    d = oldData();
    EXPECT_FALSE(readProjektdaten({"DT 24.12.2024;18:00"}, d));
    EXPECT_EQ(d.felder[0], "DT 24.12.2024;18:00");
    EXPECT_EQ(d.date, QDate(2020, 1, 2));
    EXPECT_EQ(d.time, QTime(3, 4));
    // A date line after the seventh line still counts.
    EXPECT_FALSE(readProjektdaten({"a", "b", "c", "d", "e", "f", "", "DT 01.02.2023;04:05"}, d));
    EXPECT_EQ(d.date, QDate(2023, 2, 1));
    EXPECT_EQ(d.time, QTime(4, 5));
}

// Whatever the operator typed comes back as typed, and the date is the
// dialog's, not one a field holds.
TEST(Projektdaten, OddFieldTextsGoThereAndBack)
{
    const Fields texts[] = {
        {"DT 05.05.2024 Los 7", "DT 05.05.2024;12:00", "DT 31.12.1999", "DT", "DT 99.99.9999;xx:yy", "DT;"},
        {"\"Los 7\"", "a;b;c;", ";", "Schicht µm", "Ärger Öl Übel ß", "5 € „Zitat“ …"},
    };
    for (const Fields& felder : texts) {
        const ProjectData written{felder, QDate(2026, 3, 9), QTime(7, 8)};
        ProjectData read = oldData();
        EXPECT_FALSE(readProjektdaten(writeProjektdaten(written), read)) << felder[0].toStdString();
        EXPECT_EQ(read.felder, felder);
        EXPECT_EQ(read.date, QDate(2026, 3, 9)) << felder[0].toStdString();
        EXPECT_EQ(read.time, QTime(7, 8)) << felder[0].toStdString();
    }
}

TEST(Projektdaten, BadTimeFailsAfterTheDateWasSet)
{
    for (const char* line : {"DT 06.12.2026;xx:yy", "DT 06.12.2026"}) {
        ProjectData d = oldData();
        EXPECT_TRUE(readProjektdaten({"Kunde", line, "", "", "", "", line, "DT 01.01.2030;10:00"}, d)) << line;
        // The field holding the same text is a field; nothing is read after the failure.
        EXPECT_EQ(d.felder, Fields({"Kunde", line, "old3", "old4", "old5", "old6"})) << line;
        EXPECT_EQ(d.date, QDate(2026, 12, 6)) << line;
        EXPECT_EQ(d.time, QTime(3, 4)) << line;
    }
}

} // namespace
