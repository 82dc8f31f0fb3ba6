// Measurement files read back: a saved report gives its readings again, and
// hand-written files in the same layout show what the loader takes and skips.

#include "QtPrinters.h"
#include "session/ProgramState.h"
#include "output/ReportText.h"
#include "settings/TextFile.h"
#include "table/MeasurementFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
const QLocale kEnglishLocale(QLocale::English, QLocale::UnitedStates);

QString u8(const char* text) { return QString::fromUtf8(text); }

QStringList u8List(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines) out << u8(line);
    return out;
}

// Readings that test the value field: a third decimal (mVs), a sign, five
// integer digits, the largest reading number, and one without material.
std::vector<ReportRow> sampleRows()
{
    return {{u8("14:05:01"), 1, 12.3, u8("µm  "), u8(" Fe")},
            {u8("14:05:09"), 2, 1.235, u8("mVs "), u8(" Fe")},
            {u8("14:05:17"), 3, -3.5, u8("mils"), u8("NFe")},
            {u8("14:05:25"), 4, 12345.6, u8("µm  "), u8("")},
            {u8("23:59:59"), 32767, 7.5, u8("G   "), u8("NFe")}};
}

// A whole report around the readings, with everything the loader must pass
// over: project lines, statistics (with a "." in them), limit lines.
ReportInput savedTable(bool german)
{
    ReportInput in;
    in.locale = german ? kGermanLocale : kEnglishLocale;
    in.projectDate = german ? u8("07.12.26") : u8("12/7/26");
    in.projectTime = u8("14:30");
    in.projectLabels = {u8("Kunde:"), u8("Auftrag:"), u8("Objekt:"), u8("Prüfer:"), u8("Ort:"), u8("Bemerkung:")};
    in.projectTexts = {u8("Werft Nord"), u8("12:30 Uhr"), u8(""), u8(" "), u8(""), u8("07.12.")};
    in.memoryName = u8("FE-Speicher");
    in.statisticsTitle = german ? u8("Statistik:") : u8("Statistics:");
    in.statistics = u8List({"FE-Speicher", " ", "Statistik:", " ", "Anzahl                 5",
                            "Std.Abweichung          1,0 µm  "});
    in.limits.Emin = 10.5;
    in.limits.EminStr = german ? u8("10,5") : u8("10.5");
    in.limits.Emax = 150;
    in.limits.EmaxStr = u8("150");
    in.limits.Esoll = 50;
    in.limits.EsollStr = u8("50");
    in.firstUnit = u8("µm  ");
    in.targetLabel = german ? u8("Sollwert    ") : u8("Target value");
    in.heading = {u8("07.12.2026"), german ? u8("Nr.") : u8("No."), german ? u8("Messwert") : u8("Value")};
    in.rows = sampleRows();
    return in;
}

// Saves and opens the file the way the Save and Open buttons do: the report
// and one more CR LF, in the program's 8-bit code page.
QStringList saveAndReadBack(const QString& report)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.mes"));
    EXPECT_TRUE(writeTextFile(path, report + QStringLiteral("\r\n")));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains(" \xB5m ")) << "the µ is one byte in the file";
    EXPECT_TRUE(bytes.endsWith("\r\n\r\n"));
    return readTextLines(path).value_or(QStringList{u8("<unreadable>")});
}

TEST(MeasurementFile, RoundTripInBothLocales)
{
    for (bool german : {true, false}) {
        const ReportInput in = savedTable(german);
        const QStringList lines = saveAndReadBack(buildReportText(in, 'A'));
        for (const char* materialart : {"0", "1", "2"}) {
            SCOPED_TRACE(std::string(german ? "German, " : "English, ") + "material mode " + materialart);
            const LoadedFile file = readMeasurementFile(lines, u8(materialart), kMaxReadings);
            EXPECT_EQ(file.datum, german ? u8("07.12.2026       Nr.      Messwert")
                                         : u8("07.12.2026       No.      Value"));
            EXPECT_EQ(file.rowsRead, 5);
            ASSERT_EQ(file.readings.size(), in.rows.size());
            for (size_t i = 0; i < in.rows.size(); ++i) {
                const LoadedReading& r = file.readings[i];
                EXPECT_EQ(r.zeit, in.rows[i].zeit) << i;
                EXPECT_EQ(r.nr, in.rows[i].nr) << i;
                EXPECT_DOUBLE_EQ(r.wert, in.rows[i].wert) << i;
                EXPECT_EQ(r.einheit, in.rows[i].einheit) << i;
                if (u8(materialart) == u8("0"))
                    EXPECT_EQ(r.material, std::nullopt) << i;
                else
                    EXPECT_EQ(r.material, in.rows[i].material) << i;
            }
        }
    }
}

// ---- hand-written files --------------------------------------------------

TEST(MeasurementFile, ProjectCommentAndCaptionLinesAreSkipped)
{
    const QStringList lines = u8List({
        "#  07.12.26 14:30",
        "#  Kunde: Werft Nord",
        "",
        "FE-Speicher",
        "",
        "Statistik:",
        "",
        "Anzahl                 2",
        "Std.Abweichung         25,5 µm  ",
        "",
        "Min Limit              10 µm  ",
        "",
        "07.12.2026       Nr.      Messwert",
        "",
        "#4:05:05          9        99,9 µm    Fe", // a reading commented out
        "14:05:01          1        12,3 µm    Fe",
        "# 14:05:05 a note between the rows",
        "14:05:09          2        48,7 µm    Fe",
        "",
    });
    const LoadedFile file = readMeasurementFile(lines, u8("1"), kMaxReadings);
    EXPECT_EQ(file.datum, u8("07.12.2026       Nr.      Messwert"));
    EXPECT_EQ(file.rowsRead, 2);
    ASSERT_EQ(file.readings.size(), 2u);
    EXPECT_EQ(file.readings[0].zeit, u8("14:05:01"));
    EXPECT_EQ(file.readings[0].nr, 1);
    EXPECT_DOUBLE_EQ(file.readings[0].wert, 12.3);
    EXPECT_EQ(file.readings[0].einheit, u8("µm  "));
    EXPECT_EQ(file.readings[0].material, u8(" Fe"));
    EXPECT_EQ(file.readings[1].nr, 2);
    EXPECT_DOUBLE_EQ(file.readings[1].wert, 48.7);
}

// The first line after the leading lines is the table's name, whatever it
// looks like.
TEST(MeasurementFile, TheCaptionLineIsDroppedEvenIfItLooksLikeAReading)
{
    const QStringList lines = u8List({"", "#  07.12.26 14:30", "14:05:01          1        12,3 µm    Fe",
                                      "14:05:09          2        48,7 µm    Fe"});
    const LoadedFile file = readMeasurementFile(lines, u8("1"), kMaxReadings);
    EXPECT_EQ(file.rowsRead, 1);
    ASSERT_EQ(file.readings.size(), 1u);
    EXPECT_EQ(file.readings[0].nr, 2);
}

TEST(MeasurementFile, ADateLineIsKeptWhole)
{
    const QStringList lines = u8List({"Speicher2", "", "07.12.2026       Nr.      Messwert", "7.12.2026 not a date",
                                      "Mittelwert: 12,3", "14:05:01          1        12,3 µm    Fe"});
    const LoadedFile file = readMeasurementFile(lines, u8("0"), kMaxReadings);
    EXPECT_EQ(file.datum, u8("07.12.2026       Nr.      Messwert"));
    EXPECT_EQ(file.readings.size(), 1u);
    // Of two date lines the later one stays.
    const LoadedFile twice = readMeasurementFile(lines + u8List({"08.12.2026       No.      Value"}), u8("0"), kMaxReadings);
    EXPECT_EQ(twice.datum, u8("08.12.2026       No.      Value"));
}

TEST(MeasurementFile, FilesWithoutReadings)
{
    const QStringList cases[] = {
        {},                                                   // empty file
        u8List({"#  07.12.26 14:30", "#  Kunde: Werft", ""}), // ends inside the leading lines
        u8List({"#  07.12.26 14:30", "", "FE-Speicher"}),     // ends with the caption
        u8List({"", "", ""}),
    };
    for (const QStringList& lines : cases) {
        const LoadedFile file = readMeasurementFile(lines, u8("1"), kMaxReadings);
        EXPECT_EQ(file.rowsRead, 0) << lines.join(u'|').toStdString();
        EXPECT_TRUE(file.readings.empty()) << lines.join(u'|').toStdString();
        EXPECT_EQ(file.datum, std::nullopt) << lines.join(u'|').toStdString();
    }
}

TEST(MeasurementFile, RowsBeyondTheLimitAreCountedButNotKept)
{
    QStringList lines{u8("FE-Speicher"), u8(""), u8("07.12.2026       Nr.      Messwert"), u8("")};
    for (int i = 1; i <= kMaxReadings + 3; ++i)
        lines << reportRow({u8("14:05:01"), i, i / 10.0, u8("µm  "), u8(" Fe")}, kGermanLocale);
    const LoadedFile file = readMeasurementFile(lines, u8("1"), kMaxReadings);
    EXPECT_EQ(file.rowsRead, kMaxReadings + 3);
    ASSERT_EQ(int(file.readings.size()), kMaxReadings);
    EXPECT_EQ(file.readings.front().nr, 1);
    EXPECT_EQ(file.readings.back().nr, kMaxReadings);
    EXPECT_DOUBLE_EQ(file.readings.back().wert, 500.0);

    const LoadedFile small = readMeasurementFile(lines.mid(0, 9), u8("1"), 2);
    EXPECT_EQ(small.rowsRead, 5);
    EXPECT_EQ(small.readings.size(), 2u);
}

// The value is the whole field of columns 21-31, read with either separator;
// a field that holds no finite number makes the row no reading.
TEST(MeasurementFile, TheValueField)
{
    struct Case {
        const char* field; // 11 characters
        std::optional<double> wert; // nullopt: the row is refused
    };
    const Case cases[] = {
        {"       12,3", 12.3},       {"       12.3", 12.3},       {"      -3,50", -3.5},
        {"      1,235", 1.235},      {"      1.235", 1.235},      {"    12345,6", 12345.6},
        {" 1234567,89", 1234567.89}, {"         12", 12},         {"12,3       ", 12.3},
        {"       -0,0", -0.0}, // what the program writes for -0.04 µm
        {"    1.234,5", {}},         {"    1,234.5", {}},         {"    1,234,5", {}},
        {"           ", {}},         {"      ---,-", {}},
    };
    for (const Case& c : cases) {
        const QString row = u8("14:05:01          1 ") + u8(c.field) + u8(" µm    Fe");
        const LoadedFile file = readMeasurementFile({u8("FE-Speicher"), row}, u8("1"), kMaxReadings);
        if (!c.wert) {
            EXPECT_TRUE(file.readings.empty()) << c.field;
            EXPECT_EQ(file.rowsRefused, 1) << c.field;
            continue;
        }
        ASSERT_EQ(file.readings.size(), 1u) << c.field;
        EXPECT_EQ(file.rowsRefused, 0) << c.field;
        EXPECT_DOUBLE_EQ(file.readings[0].wert, *c.wert) << c.field;
        EXPECT_EQ(file.readings[0].nr, 1) << c.field;
        EXPECT_EQ(file.readings[0].einheit, u8("µm  ")) << c.field;
    }
}

// Rows with the reading row's colon that hold no reading the table could
// keep: each is refused and counted, never taken as 0, and the rows after
// it are taken.
TEST(MeasurementFile, RowsThatAreNoReadingsAreRefusedAndCounted)
{
    struct Case {
        const char* row;
        const char* why;
    };
    const Case cases[] = {
        {"14:05:01          1       1e309 µm    Fe", "past the largest double"},
        {"14:05:01          1         NaN µm    Fe", "not a number"},
        {"14:05:01          1         inf µm    Fe", "infinite"},
        {"14:05:01          1       -inf  µm    Fe", "infinite"},
        {"14:05:01          1       1,2,3 µm    Fe", "two separators"},
        {"14:05:01          1     1.234,5 µm    Fe", "a thousands group"},
        {"14:05:01          1     1 234,5 µm    Fe", "a blank inside"},
        {"14:05:01          1        0x1F µm    Fe", "hexadecimal"},
        {"14:05:01      99999        12,3 µm    Fe", "number past 16 bits"},
        {"14:05:01      32768        12,3 µm    Fe", "number past 16 bits"},
        {"14:05:01     -32769        12,3 µm    Fe", "number below 16 bits"},
        {"14:05:01          x        12,3 µm    Fe", "number is no number"},
        {"14:05:01        1.5        12,3 µm    Fe", "number is no whole number"},
        {"14:05:01        1 2        12,3 µm    Fe", "number with a blank inside"},
        {"14:05:01                   12,3 µm    Fe", "no number"},
        {"14:05:01          0         0,0 µm    Fe", "number and value 0: the table would end there"},
        {"14:05:01          1    123456789012,5 µm Fe", "value wider than its column"},
        // Read, it would be written back wider than the column and lost.
        {"14:05:01          1         1e9 µm    Fe", "value the program cannot write back"},
        {"14:05:01          1       1e308 µm    Fe", "value past the largest the program takes"},
        {"14:05:01          21000000000,0 µm    Fe", "no blank between number and value"},
        {"14:05:01          1        12,3 µm\t   Fe", "a tab in the unit"},
        {"14:05:01          1        12,3 µm    F\te", "a tab in the material"},
        {"14:05:01          1        12,3 µm    Fe\x1b[2J", "an escape sequence in the material"},
        {"ab:cd", "no columns at all"},
        {"14:05:01", "time alone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.row) + " (" + c.why + ")");
        const LoadedFile file = readMeasurementFile(
            {u8("FE-Speicher"), u8(c.row), u8("14:05:09          2        48,7 µm    Fe")}, u8("1"), kMaxReadings);
        EXPECT_EQ(file.rowsRefused, 1);
        EXPECT_EQ(file.rowsRead, 1);
        ASSERT_EQ(file.readings.size(), 1u);
        EXPECT_EQ(file.readings[0].nr, 2);
        EXPECT_DOUBLE_EQ(file.readings[0].wert, 48.7);
    }
    // The edges that are readings: the 16-bit bounds, a number 0 with a
    // value, a value 0 with a number.
    const QStringList kept = u8List({"FE-Speicher", "14:05:01      32767        12,3 µm    Fe",
                                     "14:05:01       -999        12,3 µm    Fe", "14:05:01          0        12,3 µm    Fe",
                                     "14:05:01          3         0,0 µm    Fe", "14:05:01         +4        12,3 µm    Fe"});
    const LoadedFile file = readMeasurementFile(kept, u8("1"), kMaxReadings);
    EXPECT_EQ(file.rowsRefused, 0);
    ASSERT_EQ(file.readings.size(), 5u);
    EXPECT_EQ(file.readings[0].nr, 32767);
    EXPECT_EQ(file.readings[1].nr, -999);
    EXPECT_EQ(file.readings[2].nr, 0);
    EXPECT_EQ(file.readings[3].wert, 0);
    EXPECT_EQ(file.readings[4].nr, 4);
}

TEST(MeasurementFile, NumberUnitAndMaterialColumns)
{
    struct Case {
        const char* row;
        const char* materialart;
        int nr;
        const char* einheit;
        std::optional<const char*> material;
    };
    const Case cases[] = {
        {"14:05:01      12345        12,3 µm    Fe", "1", 12345, "µm  ", " Fe"},
        {"14:05:01          7       1,235 mVs   Fe", "2", 7, "mVs ", " Fe"},
        {"14:05:01          7       -3,50 mils NFe", "0", 7, "mils", std::nullopt},
        {"14:05:01          7        12,3 µm   ", "1", 7, "µm  ", ""}, // no material
        {"14:05:01          7        12,3 µm", "1", 7, "µm  ", ""},    // trailing blanks lost
        {"14:05:01          7        12,3 G", "0", 7, "G   ", std::nullopt},
    };
    for (const Case& c : cases) {
        const LoadedFile file = readMeasurementFile({u8("FE-Speicher"), u8(c.row)}, u8(c.materialart), kMaxReadings);
        ASSERT_EQ(file.readings.size(), 1u) << c.row;
        const LoadedReading& r = file.readings[0];
        EXPECT_EQ(r.zeit, u8("14:05:01")) << c.row;
        EXPECT_EQ(r.nr, c.nr) << c.row;
        EXPECT_EQ(r.einheit, u8(c.einheit)) << c.row;
        EXPECT_EQ(r.material, c.material ? std::optional<QString>(u8(*c.material)) : std::nullopt) << c.row;
    }
}

// ---- the file name -----------------------------------------------------------

TEST(MeasurementFilePath, MesIsAddedUnlessTheNameHoldsIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a", "a.mes"},
        {"a.mes", "a.mes"},
        {"a.mes.txt", "a.mes.txt"}, // held anywhere, even before another extension
        {"x.MES", "x.MES.mes"},     // the case must match
        {"/home/pruefer/mes/Deck 3", "/home/pruefer/mes/Deck 3.mes"},
    };
    for (const auto& [chosen, path] : cases) EXPECT_EQ(measurementFilePath(u8(chosen)), u8(path)) << chosen;
}

} // namespace
