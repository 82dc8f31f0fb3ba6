// The report text, compared whole with reference files: it is also the layout
// of the measurement files, so every blank and every line end counts.
//
// The reference files under tests/data/reports hold the report as the
// program builds it in memory, CR LF line ends included, stored as UTF-8
// (the µ is two bytes there). The test compares the QString built with the
// file decoded as UTF-8; the Windows-1252 bytes of a saved file are the text
// file layer's business and are checked in measurement_file_test.cpp.

#include "QtPrinters.h"
#include "output/ReportText.h"
#include "texts/Texte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
const QLocale kEnglishLocale(QLocale::English, QLocale::UnitedStates);
const QString kCrLf = QStringLiteral("\r\n");

QString u8(const char* text) { return QString::fromUtf8(text); }

QStringList u8List(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines) out << u8(line);
    return out;
}

// The reference files live beside the test sources; the test binary is built
// elsewhere, so they are found from this file's own path.
QString referencePath(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../data/reports/") + name);
}

QString readReference(const QString& name)
{
    QFile file(referencePath(name));
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing reference file ") + name + u'>';
    return QString::fromUtf8(file.readAll());
}

const Texte& texts(int language)
{
    static const std::array<Texte, 2> tables = [] {
        std::array<Texte, 2> t;
        for (int i : {kGerman, kEnglish}) {
            t[size_t(i)].FillMenuTexts();
            t[size_t(i)].FillMessageTexts(QStringLiteral("VELO-PROBA RIDIVORI V3.02"));
            t[size_t(i)].languageIndex = i;
        }
        return t;
    }();
    return tables[size_t(language)];
}

// An FE report of three readings as the window hands it over: project labels
// but no project text (blank boxes count as empty), statistics, no limits.
ReportInput feReport(int language)
{
    const bool de = language == kGerman;
    const Texte& t = texts(language);
    ReportInput in;
    in.locale = de ? kGermanLocale : kEnglishLocale;
    in.projectDate = de ? u8("07.12.26") : u8("12/7/26");
    in.projectTime = u8("14:30");
    const QStringList labels = de ? u8List({"Kunde:", "Auftrag:", "Objekt:", "Prüfer:", "Ort:", "Bemerkung:"})
                                  : u8List({"Customer:", "Order:", "Object:", "Inspector:", "Site:", "Note:"});
    for (size_t i = 0; i < 6; ++i) in.projectLabels[i] = labels[qsizetype(i)];
    in.projectTexts = {u8(""), u8(" "), u8(""), u8(" "), u8(""), u8(" ")};
    in.memoryName = de ? u8("FE-Speicher") : u8("FE-Memory");
    in.statisticsTitle = t.text(Stat::Statistik);
    in.statistics = QStringList{in.memoryName, u8(" "), in.statisticsTitle, u8(" ")}
                    + (de ? u8List({"Anzahl                 3", "Minimum                12,3 µm  ",
                                    "Maximum               118,0 µm  ", "Mittelwert             59,7 µm  ",
                                    "Std.Abweichung         53,7 µm  "})
                          : u8List({"Number                 3", "Minimum                12.3 µm  ",
                                    "Maximum               118.0 µm  ", "Average                59.7 µm  ",
                                    "Std.Deviation          53.7 µm  "}));
    in.firstUnit = u8("µm  ");
    in.targetLabel = t.text(Stat::Sollwert);
    in.heading = {u8("07.12.2026"), de ? u8("Nr.") : u8("No."), de ? u8("Messwert") : u8("Value")};
    in.rows = {{u8("14:05:01"), 1, 12.3, u8("µm  "), u8(" Fe")},
               {u8("14:05:09"), 2, 48.7, u8("µm  "), u8(" Fe")},
               {u8("14:06:30"), 3, 118.0, u8("µm  "), u8(" Fe")}};
    return in;
}

void fillProject(ReportInput& in)
{
    in.projectTexts = {u8("Werft Nord"), u8("A-2026-117"), u8(" "), u8("M. Berger"), u8(""), u8("Deck 3, Stb.")};
}

void setLimits(ReportInput& in, double emin, const char* eminText, double emax, const char* emaxText, double esoll,
               const char* esollText)
{
    in.limits.Emin = emin;
    in.limits.EminStr = u8(eminText);
    in.limits.Emax = emax;
    in.limits.EmaxStr = u8(emaxText);
    in.limits.Esoll = esoll;
    in.limits.EsollStr = u8(esollText);
}

// An NFE table of a model with signed readings while the absolute-values
// switch is on: the heading says so, the rows keep their signs.
void makeSignedAbsolute(ReportInput& in, int language)
{
    const bool de = language == kGerman;
    const Texte& t = texts(language);
    in.memoryName = de ? u8("NFE-Speicher") : u8("NFE-Memory");
    in.statisticsTitle = t.text(Stat::Statistik) + t.text(Stat::MitAbsolutwerten);
    in.statistics = QStringList{in.memoryName, u8(" "), in.statisticsTitle, u8(" ")}
                    + (de ? u8List({"Anzahl                 3", "Minimum                0,75 mils",
                                    "Maximum                4,25 mils", "Mittelwert             2,83 mils",
                                    "Std.Abweichung         1,84 mils"})
                          : u8List({"Number                 3", "Minimum                0.75 mils",
                                    "Maximum                4.25 mils", "Average                2.83 mils",
                                    "Std.Deviation          1.84 mils"}));
    in.firstUnit = u8("mils");
    setLimits(in, 0, "0", 0, "0", 3, "3");
    in.rows = {{u8("09:00:00"), 1, -3.5, u8("mils"), u8("NFe")},
               {u8("09:00:05"), 2, 4.25, u8("mils"), u8("NFe")},
               {u8("09:00:12"), 3, -0.75, u8("mils"), u8("NFe")}};
}

struct ReportCase {
    const char* reference;
    int language;
    char mode;
    void (*arrange)(ReportInput& in);
};

const ReportCase kReportCases[] = {
    {"de_project_all_limits.txt", kGerman, 'A', [](ReportInput& in) {
         fillProject(in);
         setLimits(in, 10, "10", 150, "150", 50, "50");
     }},
    {"en_project_all_limits.txt", kEnglish, 'A', [](ReportInput& in) {
         fillProject(in);
         setLimits(in, 10.5, "10.5", 150, "150", 50, "50");
     }},
    {"de_no_project_no_limits.txt", kGerman, 'A', [](ReportInput&) {}},
    {"en_min_max.txt", kEnglish, 'A', [](ReportInput& in) { setLimits(in, 10.5, "10.5", 150, "150", 0, "0"); }},
    // One limit set is enough for both limit lines.
    {"de_only_max.txt", kGerman, 'A', [](ReportInput& in) { setLimits(in, 0, "0", 150, "150", 0, "0"); }},
    {"de_target_only.txt", kGerman, 'A', [](ReportInput& in) { setLimits(in, 0, "0", 0, "0", 50, "50"); }},
    // Texts wider than their 8 columns are printed whole and push the unit right.
    {"de_long_limit_text.txt", kGerman, 'A', [](ReportInput& in) {
         setLimits(in, 0.00012345, "0,00012345", 150, "150", 123456.789, "123456,789");
     }},
    {"de_signed_absolute.txt", kGerman, 'A', [](ReportInput& in) { makeSignedAbsolute(in, kGerman); }},
    {"en_signed_absolute.txt", kEnglish, 'A', [](ReportInput& in) { makeSignedAbsolute(in, kEnglish); }},
    {"de_online.txt", kGerman, 'A', [](ReportInput& in) {
         in.memoryName = texts(kGerman).text(Msg::Online);
         in.statistics = u8List({"ONLINE", " ", "Statistik:", " ", "Anzahl                 4",
                                 "Minimum                12,3 µm  ", "Maximum                12,7 µm  ",
                                 "Mittelwert             12,5 µm  ", "Std.Abweichung          0,2 µm  "});
         in.rows = {{u8("10:15:00"), 1, 12.3, u8("µm  "), u8(" Fe")},
                    {u8("10:15:04"), 2, 12.5, u8("µm  "), u8(" Fe")},
                    {u8("10:15:09"), 3, 12.4, u8("µm  "), u8(" Fe")},
                    {u8("10:15:13"), 4, 12.7, u8("µm  "), u8(" Fe")}};
     }},
    // Fewer than four entries: nothing is copied and no empty line follows.
    {"de_short_statistics.txt", kGerman, 'A', [](ReportInput& in) {
         in.statistics = u8List({"FE-Speicher", " ", "Statistik:"});
         setLimits(in, 10, "10", 150, "150", 0, "0");
     }},
    // The spreadsheet's head: everything below the statistics heading is left out.
    {"de_mode_p.txt", kGerman, 'P', [](ReportInput& in) {
         fillProject(in);
         setLimits(in, 10, "10", 150, "150", 50, "50");
     }},
    {"en_mode_p_no_project.txt", kEnglish, 'P', [](ReportInput& in) { setLimits(in, 10, "10", 150, "150", 50, "50"); }},
};

// Line by line first, so a failure shows the line that differs and the line
// count; then the whole text, line ends included.
void expectSameText(const QString& built, const QString& reference)
{
    EXPECT_EQ(reference.count(u'\n'), reference.count(kCrLf)) << "the reference file lost its CR LF";
    EXPECT_EQ(built.count(u'\n'), built.count(kCrLf)) << "a line end other than CR LF";
    EXPECT_TRUE(built.endsWith(kCrLf));
    EXPECT_EQ(built.split(kCrLf), reference.split(kCrLf));
    EXPECT_EQ(built, reference);
}

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.reference; }

class ReportTextReference : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportTextReference, MatchesTheFileWhole)
{
    const ReportCase& c = GetParam();
    ReportInput in = feReport(c.language);
    c.arrange(in);
    expectSameText(buildReportText(in, c.mode), readReference(u8(c.reference)));
}

INSTANTIATE_TEST_SUITE_P(ReportFiles, ReportTextReference, ::testing::ValuesIn(kReportCases),
                         [](const ::testing::TestParamInfo<ReportCase>& info) {
                             return QFileInfo(u8(info.param.reference)).completeBaseName().toStdString();
                         });

TEST(ReportText, FourStatisticsEntriesGiveOnlyTheEmptyLine)
{
    ReportInput in = feReport(kGerman);
    in.statistics = u8List({"FE-Speicher", " ", "Statistik:", " "});
    const QStringList lines = buildReportText(in, 'A').split(kCrLf);
    EXPECT_EQ(lines.mid(2, 5), u8List({"Statistik:", "", "", "", "07.12.2026       Nr.      Messwert"}));
}

TEST(ReportText, ModePIsTheHeadOfModeA)
{
    for (int language : {kGerman, kEnglish}) {
        ReportInput in = feReport(language);
        fillProject(in);
        const QString head = buildReportText(in, 'P');
        EXPECT_TRUE(buildReportText(in, 'A').startsWith(head)) << language;
        EXPECT_EQ(head.count(kCrLf), 10) << language; // 5 project lines, empty, caption, empty, heading, empty
    }
}

TEST(ReportText, TheFullTableOf5000Readings)
{
    ReportInput in = feReport(kGerman);
    in.rows.clear();
    for (int i = 1; i <= 5000; ++i) {
        const QTime time = QTime(8, 0).addSecs(i);
        in.rows.push_back({time.toString(QStringLiteral("HH:mm:ss")), i, i / 10.0, u8("µm  "), u8(" Fe")});
    }
    const QString text = buildReportText(in, 'A');
    const QStringList lines = text.split(kCrLf);
    // Caption, empty, heading, empty, 5 statistics lines, empty, empty, table
    // heading, empty: 13 lines before the first row; the text ends with CR LF.
    ASSERT_EQ(lines.size(), 13 + 5000 + 1);
    EXPECT_EQ(lines[11], u8("07.12.2026       Nr.      Messwert"));
    EXPECT_EQ(lines[13], u8("08:00:01          1         0,1 µm    Fe"));
    EXPECT_EQ(lines[13 + 2499], u8("08:41:40       2500       250,0 µm    Fe"));
    EXPECT_EQ(lines[13 + 4999], u8("09:23:20       5000       500,0 µm    Fe"));
    EXPECT_EQ(lines.last(), QString());
    for (qsizetype i = 13; i < 13 + 5000; ++i) ASSERT_EQ(lines[i].size(), 40) << "row " << i - 12;
}

// ---- one reading row ----------------------------------------------------

struct RowCase {
    ReportRow row;
    const char* german;
    const char* english;
};

TEST(ReportRow, ColumnsOfTheRow)
{
    const RowCase cases[] = {
        // 8 time, 6 blanks, 5 number, blank, 11 value, blank, 4 unit, blank, material
        {{u8("14:05:01"), 1, 12.3, u8("µm  "), u8(" Fe")},
         "14:05:01          1        12,3 µm    Fe", "14:05:01          1        12.3 µm    Fe"},
        {{u8("14:05:01"), 2, 1.235, u8("mVs "), u8(" Fe")},
         "14:05:01          2       1,235 mVs   Fe", "14:05:01          2       1.235 mVs   Fe"},
        {{u8("14:05:01"), 3, -3.5, u8("mils"), u8("NFe")},
         "14:05:01          3       -3,50 mils NFe", "14:05:01          3       -3.50 mils NFe"},
        // The unit column is trimmed and padded, but the decimals follow the
        // unit as stored: " G" does not begin with "G". No material leaves the
        // row ending in its blank.
        {{u8("14:05:01"), 4, 7.5, u8(" G"), u8("")},
         "14:05:01          4        7,50 G    ", "14:05:01          4        7.50 G    "},
        {{u8("14:05:01"), 5, 7.5, u8("G   "), u8("")},
         "14:05:01          5         7,5 G    ", "14:05:01          5         7.5 G    "},
        {{u8("23:59:59"), 32767, 12345.6, u8("µm  "), u8(" Fe")},
         "23:59:59      32767     12345,6 µm    Fe", "23:59:59      32767     12345.6 µm    Fe"},
        // Wider than their columns: printed whole, the rest moves right.
        {{u8("23:59:59"), 123456, 1234567890.5, u8("µm  "), u8(" Fe")},
         "23:59:59      123456 1234567890,5 µm    Fe", "23:59:59      123456 1234567890.5 µm    Fe"},
    };
    for (const RowCase& c : cases) {
        EXPECT_EQ(reportRow(c.row, kGermanLocale), u8(c.german));
        EXPECT_EQ(reportRow(c.row, kEnglishLocale), u8(c.english));
    }
}

TEST(ReportRow, TheExampleRowPieceByPiece)
{
    const ReportRow row{u8("14:05:01"), 1, 12.3, u8("µm  "), u8(" Fe")};
    EXPECT_EQ(reportRow(row, kGermanLocale), u8("14:05:01") + QString(6, u' ') + u8("    1") + u8(" ")
                                                 + u8("       12,3") + u8(" ") + u8("µm  ") + u8(" ") + u8(" Fe"));
}

} // namespace
