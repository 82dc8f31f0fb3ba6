// Measurement files: the table on show saved and opened again in either
// number format, and files written by hand opened into the table.

#include "MeasurementText.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kVelo = u"VELO-PROBA RIDIVORI"_s;
const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

// --- Save and open again ------------------------------------------------------

struct RoundTrip {
    const char* name;
    QString locale;
    QChar point;
    bool feTable; // the FE table instead of the NFE table shown after the download
};

void PrintTo(const RoundTrip& trip, std::ostream* os) { *os << trip.name; }

class FilesRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(FilesRoundTrip, SavedTableComesBackWhole)
{
    const RoundTrip& trip = GetParam();
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.setLocale(trip.locale);
    // mm become µm; a value with five digits before the separator fills the
    // value field.
    const QString memory1 = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "88.6", "µm", "Fe"),
        recordLine(2, "0.0903", "mm", "Fe"),
        recordLine(3, "12345.6", "µm", "Fe"),
        recordLine(4, "1.215", "mm", "Fe"),
        recordLine(5, "86.9", "µm", "Fe"),
    });
    const QString memory2 = bench.gaugeFile(u"memory2.txt"_s, {
        recordLine(1, "24.8", "µm", "NFe"),
        recordLine(2, "26.1", "µm", "NFe"),
        recordLine(3, "0.0262", "mm", "NFe"),
        recordLine(4, "23.9", "µm", "NFe"),
    });
    const QString empty = bench.gaugeFile(u"empty.mes"_s, {});
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, memory1, u"--memory2"_s, memory2}))
                    .ready());
    const QString mes = bench.session.messDataPath(kBrand, kVelo) + u"/mes"_s;
    // Saved under a name without ".mes"; an empty file in between is
    // reported and changes nothing.
    const DriveResult result = bench.connect(kUntilIdle + (trip.feTable ? u"click optFE\n"_s + kUntilIdle : QString())
                                             + u"dump\n"_s + saveScript(mes + u"/table"_s) + openScript(empty)
                                             + openScript(mes + u"/table.mes"_s));
    ASSERT_EQ(result.dumps.size(), 4);
    const Dump& before = result.dumps[0];
    const Dump& saved = result.dumps[1];
    const Dump& emptied = result.dumps[2];
    const Dump& reopened = result.dumps[3];

    const QString option = trip.feTable ? u"optFE"_s : u"optNFE"_s;
    const QString otherOption = trip.feTable ? u"optNFE"_s : u"optFE"_s;
    const QString name = trip.feTable ? u"FE-Speicher"_s : u"NFE-Speicher"_s;
    const QString material = trip.feTable ? u" Fe"_s : u"NFe"_s;
    const QStringList values = trip.feTable
        ? QStringList{u"88.6"_s, u"90.3"_s, u"12345.6"_s, u"1215.0"_s, u"86.9"_s}
        : QStringList{u"24.8"_s, u"26.1"_s, u"26.2"_s, u"23.9"_s};
    const Grid shown = before.gridRows();
    ASSERT_EQ(shown.size(), values.size() + 1);
    EXPECT_EQ(before.text(option), name + u" (%1)"_s.arg(values.size()));

    {
        SCOPED_TRACE("the saved file");
        EXPECT_TRUE(saved.messages().isEmpty());
        // ".mes" was appended, and nothing else is left in the folder.
        EXPECT_EQ(folderEntries(mes), QStringList({u"table.mes"_s}));
        const QByteArray bytes = DriveSession::readFile(mes + u"/table.mes"_s);
        QStringList rows;
        for (qsizetype i = 0; i < values.size(); ++i)
            rows << fileRow(shown[i + 1][0], int(i + 1), withPoint(values[i], trip.point), u"µm"_s, material);
        EXPECT_EQ(fromCp1252(bytes), measurementFile(name, u"Statistik:"_s, before.list(u"lstStat"_s), shown[0][0], rows));
        EXPECT_TRUE(bytes.contains('\xB5'));
        EXPECT_FALSE(bytes.contains("\xC2\xB5")) << "µ must be one byte, not UTF-8";
        EXPECT_TRUE(onlyCrLfLineEnds(bytes));
        EXPECT_TRUE(bytes.endsWith("\r\n\r\n"));
        EXPECT_FALSE(bytes.endsWith("\r\n\r\n\r\n"));
    }
    {
        SCOPED_TRACE("an empty file leaves the table");
        EXPECT_EQ(messageTexts(emptied), QStringList({u"Keine Messwerte in "_s + empty + u" gefunden"_s}));
        EXPECT_EQ(emptied.gridRows(), before.gridRows());
        EXPECT_EQ(emptied.text(option), before.text(option));
    }
    {
        SCOPED_TRACE("opened again");
        EXPECT_EQ(bench.grid(reopened), bench.grid(before));
        EXPECT_EQ(reopened.list(u"lstStat"_s), before.list(u"lstStat"_s));
        EXPECT_EQ(reopened.text(option), u"table.mes (%1)"_s.arg(values.size()));
        // Only the table on show changes.
        EXPECT_EQ(reopened.text(otherOption), before.text(otherOption));
        EXPECT_TRUE(reopened.checked(option));
        EXPECT_TRUE(reopened.messages().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(, FilesRoundTrip,
                         testing::Values(RoundTrip{"DecimalComma", u"de_DE"_s, u',', false},
                                         RoundTrip{"DecimalPoint", u"en_US"_s, u'.', true}),
                         [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

TEST(Files, SignedReadingsAndLimitsComeBack)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    bench.settingsFile(kSivar, u"Limit.ini"_s, "10;20;0;\r\n");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "12.5", "µm"),
        recordLine(2, "-15.0", "µm"),
        recordLine(3, "0.0221", "mm"),
        recordLine(4, "-8.4", "µm"),
        recordLine(5, "25.0", "µm"),
    });
    const QString empty = bench.gaugeFile(u"empty.mes"_s, {});
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s + saveScript(mes + u"/signed"_s)
                                             + openScript(empty) + openScript(mes + u"/signed.mes"_s));
    ASSERT_EQ(result.dumps.size(), 4);
    const Dump& before = result.dumps[0];
    const Dump& reopened = result.dumps[3];
    const Grid shown = before.gridRows();
    ASSERT_EQ(shown.size(), 6);

    // Values are written with their sign while the statistics use absolute
    // values; the limit lines carry the unit of the statistics.
    const QStringList values = {u"12,5"_s, u"-15,0"_s, u"22,1"_s, u"-8,4"_s, u"25,0"_s};
    QStringList rows;
    for (qsizetype i = 0; i < values.size(); ++i) rows << fileRow(shown[i + 1][0], int(i + 1), values[i], u"µm"_s);
    const QStringList limits = {u"Min Limit              10 µm  "_s, u"Max Limit              20 µm  "_s};
    EXPECT_EQ(fromCp1252(DriveSession::readFile(mes + u"/signed.mes"_s)),
              measurementFile(u"Speicher"_s, u"Statistik:  mit Absolutwerten"_s, before.list(u"lstStat"_s), shown[0][0],
                              rows, Language::German, limits));

    EXPECT_EQ(bench.grid(reopened), bench.grid(before));
    EXPECT_EQ(reopened.gridColours(), before.gridColours());
    EXPECT_EQ(reopened.list(u"lstStat"_s), before.list(u"lstStat"_s));
    EXPECT_EQ(reopened.text(u"optFE"_s), u"signed.mes (5)"_s);
    for (const Dump& d : {before, result.dumps[1], reopened}) EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_EQ(messageTexts(result.dumps[2]), QStringList({u"Keine Messwerte in "_s + empty + u" gefunden"_s}));
}

TEST(Files, ProjectBlockIsWrittenAndSkippedOnOpening)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    // Captions of the project fields, and the last project data entered:
    // two fields filled, four empty.
    DriveSession::writeFile(bench.session.messDataPath(kBrand, kSivar) + u"/Projekt.ini"_s,
                            toCp1252(u"Kunde;Customer;\r\nAuftrag;Order;\r\nPrüfer;Inspector;\r\nOrt;Place;\r\n"
                                     u"Teil;Part;\r\nNotiz;Note;\r\n"_s));
    bench.settingsFile(kSivar, u"Projektdaten.ini"_s, "Muster GmbH\r\nA-17\r\n\r\n\r\n\r\n\r\nDT 06.12.2026;14:30\r\n");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {recordLine(1, "48.2", "µm"), recordLine(2, "51.7", "µm")});
    const QString empty = bench.gaugeFile(u"empty.mes"_s, {});
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s + saveScript(mes + u"/project"_s)
                                             + openScript(empty) + openScript(mes + u"/project.mes"_s));
    ASSERT_EQ(result.dumps.size(), 4);
    const Dump& before = result.dumps[0];
    const Grid shown = before.gridRows();
    ASSERT_EQ(shown.size(), 3);

    const QString text = fromCp1252(DriveSession::readFile(mes + u"/project.mes"_s));
    const QStringList lines = text.split(u"\r\n"_s);
    ASSERT_GE(lines.size(), 4);
    // The date in the short form of the system's locale.
    const QDate day(2026, 12, 6);
    EXPECT_TRUE(lines[0] == u"#  "_s + QLocale(u"de_DE"_s).toString(day, QLocale::ShortFormat) + u" 14:30"_s
                || lines[0] == u"#  06.12.2026 14:30"_s)
        << lines[0].toStdString();
    EXPECT_EQ(lines.mid(1, 3), QStringList({u"#  Kunde Muster GmbH"_s, u"#  Auftrag A-17"_s, QString()}));
    const QStringList rows = {fileRow(shown[1][0], 1, u"48,2"_s, u"µm"_s), fileRow(shown[2][0], 2, u"51,7"_s, u"µm"_s)};
    EXPECT_EQ(lines.mid(4).join(u"\r\n"_s),
              measurementFile(u"Speicher"_s, u"Statistik:  mit Absolutwerten"_s, before.list(u"lstStat"_s), shown[0][0],
                              rows));

    const Dump& reopened = result.dumps[3];
    EXPECT_EQ(bench.grid(reopened), bench.grid(before));
    EXPECT_EQ(reopened.list(u"lstStat"_s), before.list(u"lstStat"_s));
    EXPECT_EQ(reopened.text(u"optFE"_s), u"project.mes (2)"_s);
    for (const Dump& d : {before, result.dumps[1], reopened}) EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_EQ(messageTexts(result.dumps[2]), QStringList({u"Keine Messwerte in "_s + empty + u" gefunden"_s}));
}

// The rows beyond the 5000th are counted for the message, not kept.
TEST(Files, MoreThan5000RowsKeepTheFirst5000)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    QList<QByteArray> lines = {"Speicher", "", "Statistik:", "", "", "", "01.02.2024       Nr.      Messwert", ""};
    for (int n = 1; n <= 5003; ++n)
        lines << toCp1252(fileRow(u"10:00:01"_s, n, n > 5000 ? u"99,9"_s : u"1,5"_s, u"µm"_s));
    lines << "";
    const QString path = bench.gaugeFile(u"long.mes"_s, lines);
    const DriveResult result =
        bench.connect(kUntilIdle + openScript(path) + u"click English\nwait-ms 300\n"_s + openScript(path));
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& d = result.dumps[0];
    const Grid rows = d.gridRows();
    ASSERT_EQ(rows.size(), 5001);
    EXPECT_EQ(rows.last(), QStringList({u"10:00:01"_s, u"   5000"_s, u"        1,5"_s, u"µm      "_s}));
    EXPECT_EQ(d.text(u"optFE"_s), u"long.mes (5000)"_s);
    EXPECT_EQ(d.list(u"lstStat"_s).value(4), u"Anzahl              5000"_s);
    const QStringList messages = {u"Nur die ersten 5000 von 5003 Messwerten aus "_s + path + u" wurden geladen"_s,
                                  u"Only the first 5000 of 5003 readings in "_s + path + u" were loaded"_s};
    EXPECT_EQ(messageTexts(d), QStringList{messages[0]});
    EXPECT_EQ(messageTexts(result.dumps[1]), QStringList{messages[1]});
    EXPECT_EQ(result.dumps[1].gridRows().size(), 5001);
    const QStringList log = logLines(bench.session, kSivar);
    for (const QString& message : messages) EXPECT_EQ(log.count(message), 1) << message.toStdString();
}

TEST(Files, NameHoldingMesIsUsedAsChosen)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const DriveResult result = bench.connect(kUntilIdle + saveScript(mes + u"/before.mes.bak"_s));
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_TRUE(result.dumps[0].messages().isEmpty());
    EXPECT_EQ(folderEntries(mes), QStringList({u"before.mes.bak"_s}));
    EXPECT_TRUE(DriveSession::readFile(mes + u"/before.mes.bak"_s).startsWith("Speicher\r\n\r\nStatistik:"));
    // The status bar names the file written.
    EXPECT_EQ(result.dumps[0].text(u"lblExport"_s), u"Gespeichert: "_s + mes + u"/before.mes.bak"_s);
}

// --- Files written by hand ----------------------------------------------------

struct HandWritten {
    std::string name;
    QByteArray konfi;
    QString locale;
    QByteArray bytes;
    QString caption;
    Grid rows;
    QStringList statistics; // empty: not compared
    bool nothingRead = false; // no reading in it: reported, and the table stays as it was
    int refused = 0;          // rows that are no readings: left out and counted in a message
};

void PrintTo(const HandWritten& file, std::ostream* os) { *os << file.name; }

std::vector<HandWritten> handWrittenFiles()
{
    QFile file(QStringLiteral(KIVO_TEST_DATA_DIR "/e2e/measurement_files.json"));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("measurement_files.json is missing");
    std::vector<HandWritten> cases;
    for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll()).object().value(u"cases").toArray()) {
        const QJsonObject c = value.toObject();
        HandWritten one;
        one.name = c.value(u"name").toString().toStdString();
        one.konfi = c.value(u"konfi").toString().toLatin1();
        one.locale = c.value(u"locale").toString();
        QStringList lines;
        for (const QJsonValue& line : c.value(u"lines").toArray()) lines << line.toString();
        QString text = lines.join(u"\r\n"_s);
        if (!lines.isEmpty() && !c.value(u"noFinalLineEnd").toBool()) text += u"\r\n"_s;
        one.bytes = toCp1252(text);
        one.caption = c.value(u"caption").toString();
        for (const QJsonValue& row : c.value(u"rows").toArray()) {
            const QJsonArray cells = row.toArray();
            one.rows << QStringList{cells[0].toString(), QString::number(cells[1].toInt()).rightJustified(7),
                                    cells[2].toString().rightJustified(11), cells[3].toString()};
        }
        for (const QJsonValue& line : c.value(u"statistics").toArray()) one.statistics << line.toString();
        one.nothingRead = c.value(u"nothingRead").toBool();
        one.refused = c.value(u"refused").toInt();
        cases.push_back(one);
    }
    return cases;
}

class FilesHandWritten : public testing::TestWithParam<HandWritten> {};

TEST_P(FilesHandWritten, LoadsIntoTheTableOnShow)
{
    const HandWritten& file = GetParam();
    const bool velo = file.konfi == "VX";
    // VX: the NFE table is on show after the download.
    DownloadBench bench(file.konfi, velo ? PortType::Bluetooth : PortType::Cable);
    bench.setLocale(file.locale);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, velo ? u"FNB"_s : u"RKS"_s})).ready());
    const QString path = bench.session.path(QString::fromStdString(file.name) + u".mes"_s);
    DriveSession::writeFile(path, file.bytes);
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s + openScript(path));
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& before = result.dumps[0];
    const Dump& d = result.dumps[1];
    const QString option = velo ? u"optNFE"_s : u"optFE"_s;

    if (file.nothingRead) {
        EXPECT_EQ(messageTexts(d), QStringList({u"Keine Messwerte in "_s + path + u" gefunden"_s}));
        EXPECT_EQ(d.gridRows(), before.gridRows());
        EXPECT_EQ(d.list(u"lstStat"_s), before.list(u"lstStat"_s));
        EXPECT_EQ(d.text(option), before.text(option));
        return;
    }
    const QStringList refused =
        file.refused ? QStringList{u"%1 Zeilen in %2 waren keine Messwerte und wurden nicht geladen"_s.arg(file.refused).arg(path)}
                     : QStringList{};
    EXPECT_EQ(messageTexts(d), refused);
    EXPECT_EQ(d.text(option), file.caption);
    EXPECT_TRUE(d.checked(option));
    const Grid rows = d.gridRows();
    ASSERT_FALSE(rows.isEmpty());
    // The heading shows the file's date (its last date line's), else today's:
    // the report and the file saved again keep the measurement's date.
    QString fileDate = germanHeading().first();
    static const QRegularExpression dateLine(u"^(\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d)(\\s|$)"_s);
    for (const QString& line : DriveSession::lines(file.bytes))
        if (const QRegularExpressionMatch m = dateLine.match(line); m.hasMatch()) fileDate = m.captured(1);
    EXPECT_EQ(bench.grid(d).first(), QStringList({fileDate}) + germanHeading().mid(1));
    EXPECT_EQ(rows.mid(1), file.rows);
    if (!file.statistics.isEmpty()) {
        EXPECT_EQ(d.list(u"lstStat"_s), file.statistics);
    }
    if (velo) {
        EXPECT_EQ(d.text(u"optFE"_s), before.text(u"optFE"_s));
    }
}

INSTANTIATE_TEST_SUITE_P(, FilesHandWritten, testing::ValuesIn(handWrittenFiles()),
                         [](const testing::TestParamInfo<HandWritten>& info) { return info.param.name; });

} // namespace
