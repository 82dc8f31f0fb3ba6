// Downloading the gauge's memories, which Connect starts by itself: the
// readings in the grid in the gauge's order, the option captions with their
// counts and the statistics list, for each memory layout; empty memories,
// the limit colours and a language switch afterwards.

#include "DownloadBench.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <vector>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

// --- One memory -------------------------------------------------------------

TEST(Download, OneMemoryKeepsTheGaugesOrder)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "10.0", "µm"),
        recordLine(2, "12.0", "µm"),
        "    Serie 2", // a line beginning with four blanks is not a reading
        recordLine(7, "0.014", "mm"),
        recordLine(12, "-8.0", "µm"),
    });
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];

    // The heading cell carries the date of the download; the numbers are the
    // gauge's, mm become µm, and this model sets no material label.
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "10.0", kUmNoLabel),
                                   readingRow(2, "12.0", kUmNoLabel), readingRow(7, "14.0", kUmNoLabel),
                                   readingRow(12, "-8.0", kUmNoLabel)}));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (4)"_s);
    EXPECT_TRUE(d.checked(u"optFE"_s));
    EXPECT_FALSE(d.visible(u"optNFE"_s));
    EXPECT_FALSE(d.visible(u"cmdLesFE"_s));
    EXPECT_FALSE(d.visible(u"cmdLesNFE"_s));
    EXPECT_TRUE(d.visible(u"cmdLesen"_s));
    // Signed model, absolute values on from the start.
    EXPECT_EQ(d.list(u"lstStat"_s), statisticsList(u"Speicher"_s, u"Statistik:  mit Absolutwerten"_s, 4,
                                                   {u"8.0"_s, u"14.0"_s, u"11.0"_s, u"2.6"_s}, kUm));
    EXPECT_EQ(d.text(u"txtSpeicher"_s), u"BEREIT"_s);
    EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1);
}

TEST(Download, ReadingWithNumberAndValueZeroIsLeftOut)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "10.0", "µm"),
        recordLine(0, "0.0", "µm"),
        recordLine(3, "12.0", "µm"),
        recordLine(4, "5.0", "G"),
    });
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    // The reading with number 0 and value 0 is neither shown nor counted.
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "10.0", kUmNoLabel),
                                   readingRow(3, "12.0", kUmNoLabel), readingRow(4, "5.0", u"G       "_s)}));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (3)"_s);
    // One reading in another unit and the table has no statistics.
    EXPECT_EQ(d.list(u"lstStat"_s),
              QStringList({u"Speicher"_s, u" "_s, u"Statistik:  mit Absolutwerten"_s, u" "_s,
                           u" Statistik nicht möglich,"_s, u" da verschiedene"_s, u" Messeinheiten "_s}));
}

// --- Two memories -----------------------------------------------------------

struct TwoMemories {
    const char* name;
    const char* simModel;
    const char* unit; // as the gauge writes µm
    QString name1, name2, button1, button2;
};

void PrintTo(const TwoMemories& gauge, std::ostream* os) { *os << gauge.name; }

class DownloadTwoMemories : public testing::TestWithParam<TwoMemories> {};

TEST_P(DownloadTwoMemories, BothAreReadAndEachTableShowsItsOwn)
{
    const TwoMemories& gauge = GetParam();
    DownloadBench bench("VX", PortType::Bluetooth);
    // The label on the line does not count: memory 1 is " Fe", memory 2 "NFe".
    const QString memory1 = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "20.0", gauge.unit, "NFe"),
        recordLine(2, "30.0", gauge.unit),
        recordLine(3, "0.040", "mm", "Fe"),
    });
    const QString memory2 = bench.gaugeFile(u"memory2.txt"_s, {
        recordLine(1, "5.0", gauge.unit, "Fe"),
        recordLine(2, "7.0", gauge.unit, "NFe"),
    });
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, QString::fromLatin1(gauge.simModel), u"--memory1"_s, memory1,
                                    u"--memory2"_s, memory2}))
                    .ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nclick optFE\n"_s + kUntilIdle
                                             + u"dump\nclick optNFE\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_EQ(bench.gaugeCommands(), kBluetoothReadsBoth);

    const Grid grid1 = {germanHeading(), readingRow(1, "20.0", kUmFe), readingRow(2, "30.0", kUmFe),
                        readingRow(3, "40.0", kUmFe)};
    const Grid grid2 = {germanHeading(), readingRow(1, "5.0", kUmNfe), readingRow(2, "7.0", kUmNfe)};
    // This model's readings carry no sign: plain statistics.
    const QStringList stat1 =
        statisticsList(gauge.name1, u"Statistik:"_s, 3, {u"20.0"_s, u"40.0"_s, u"30.0"_s, u"10.0"_s}, kUm);
    const QStringList stat2 =
        statisticsList(gauge.name2, u"Statistik:"_s, 2, {u"5.0"_s, u"7.0"_s, u"6.0"_s, u"1.4"_s}, kUm);

    for (const Dump& d : result.dumps) {
        EXPECT_EQ(d.text(u"optFE"_s), gauge.name1 + u" (3)"_s);
        EXPECT_EQ(d.text(u"optNFE"_s), gauge.name2 + u" (2)"_s);
        EXPECT_TRUE(d.visible(u"optNFE"_s));
        EXPECT_EQ(d.text(u"cmdLesFE"_s), gauge.button1);
        EXPECT_EQ(d.text(u"cmdLesNFE"_s), gauge.button2);
        EXPECT_TRUE(d.visible(u"cmdLesFE"_s));
        EXPECT_TRUE(d.visible(u"cmdLesNFE"_s));
        EXPECT_TRUE(d.messages().isEmpty());
    }
    {
        SCOPED_TRACE("after the download memory 2 is on show, the last one read");
        const Dump& d = result.dumps[0];
        EXPECT_TRUE(d.checked(u"optNFE"_s));
        EXPECT_EQ(bench.grid(d), grid2);
        EXPECT_EQ(d.list(u"lstStat"_s), stat2);
    }
    {
        SCOPED_TRACE("memory 1");
        const Dump& d = result.dumps[1];
        EXPECT_TRUE(d.checked(u"optFE"_s));
        EXPECT_EQ(bench.grid(d), grid1);
        EXPECT_EQ(d.list(u"lstStat"_s), stat1);
    }
    {
        SCOPED_TRACE("memory 2 again");
        const Dump& d = result.dumps[2];
        EXPECT_TRUE(d.checked(u"optNFE"_s));
        EXPECT_EQ(bench.grid(d), grid2);
        EXPECT_EQ(d.list(u"lstStat"_s), stat2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , DownloadTwoMemories,
    testing::Values(
        // FN-B: an FE and an NFE memory.
        TwoMemories{"FeAndNfe", "FNB", "µm", u"FE-Speicher"_s, u"NFE-Speicher"_s, u"FE"_s, u"NFE"_s},
        // FE-B: two FE memories; it writes µm as "ym".
        TwoMemories{"TwoFe", "FEB", "ym", u"FE-Speicher1"_s, u"FE-Speicher2"_s, u"FE 1"_s, u"FE 2"_s}),
    [](const testing::TestParamInfo<TwoMemories>& info) { return std::string(info.param.name); });

// A two-memory gauge that says neither FE nor FN: its memories are
// numbered, never nameless.
TEST(Download, TwoMemoriesOfNoKindAreNumbered)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"VX"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nclick optFE\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    for (const Dump& d : result.dumps) {
        EXPECT_TRUE(d.text(u"optFE"_s).startsWith(u"Speicher1 ("_s)) << d.text(u"optFE"_s).toStdString();
        EXPECT_TRUE(d.text(u"optNFE"_s).startsWith(u"Speicher2 ("_s)) << d.text(u"optNFE"_s).toStdString();
    }
    EXPECT_EQ(result.dumps[1].list(u"lstStat"_s).value(0), u"Speicher1"_s);
}

// --- Numbered memory blocks -------------------------------------------------

TEST(Download, NumberedBlockIsNamedByTheLastMemoryLine)
{
    DownloadBench bench("RKM", PortType::Cable);
    // With numbered blocks every "M" line sets the count; the last one wins.
    const QString ident = bench.gaugeFile(u"ident.txt"_s, {"RK-MENO", "VD: 1.18", "M1:5", "M3:7"});
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "100.0", "G"),
        recordLine(2, "200.0", "G"),
        recordLine(3, "0.3", "kOe"), // kOe -> Oe -> G
        recordLine(4, "400.0", "Oe"),
        recordLine(5, "500.0", "G"),
        recordLine(6, "600.0", "G"),
        recordLine(7, "-700.0", "G"),
    });
    ASSERT_TRUE(
        bench.startSim(simOptions({u"--model"_s, u"RKM"_s, u"--ident"_s, ident, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    const QString g = u"G       "_s;
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "100.0", g), readingRow(2, "200.0", g),
                                   readingRow(3, "300.0", g), readingRow(4, "400.0", g), readingRow(5, "500.0", g),
                                   readingRow(6, "600.0", g), readingRow(7, "-700.0", g)}));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher3 (7)"_s);
    EXPECT_FALSE(d.visible(u"optNFE"_s));
    EXPECT_EQ(d.list(u"lstStat"_s), statisticsList(u"Speicher3"_s, u"Statistik:  mit Absolutwerten"_s, 7,
                                                   {u"100.0"_s, u"700.0"_s, u"400.0"_s, u"216.0"_s}, u"G   "_s));
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1);
}

struct ZrBlock {
    const char* name;
    const char* memoryLine;
    QString caption;
    QString statName;
};

void PrintTo(const ZrBlock& block, std::ostream* os) { *os << block.name; }

class DownloadZrBlock : public testing::TestWithParam<ZrBlock> {};

TEST_P(DownloadZrBlock, CaptionNamesTheBlock)
{
    const ZrBlock& block = GetParam();
    DownloadBench bench("ZR", PortType::Cable);
    const QString ident = bench.gaugeFile(u"ident.txt"_s, {"ZR-1 ZORMA-PROBA", "VD: 3.41", block.memoryLine});
    // This model shows the probe's label as sent, blanks trimmed.
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "124.6", "µm", "Fe"),
        recordLine(2, "86.4", "µm", "NFe"),
        recordLine(3, "0.127", "mm", " Fe"),
    });
    ASSERT_TRUE(
        bench.startSim(simOptions({u"--model"_s, u"ZR"_s, u"--ident"_s, ident, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "124.6", kUmFe), readingRow(2, "86.4", kUmNfe),
                                   readingRow(3, "127.0", kUmFe)}));
    EXPECT_EQ(d.text(u"optFE"_s), block.caption);
    EXPECT_EQ(d.list(u"lstStat"_s), statisticsList(block.statName, u"Statistik:"_s, 3,
                                                   {u"86.4"_s, u"127.0"_s, u"112.7"_s, u"22.8"_s}, kUm));
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1);
}

INSTANTIATE_TEST_SUITE_P(
    , DownloadZrBlock,
    testing::Values(
        // Block 96 is the scan memory: "Scan " and the count, two blanks between.
        ZrBlock{"Scan", "M96:3", u"Scan  (3)"_s, u"Scan "_s},
        ZrBlock{"NumberedBlock", "M2:3", u"Speicher2 (3)"_s, u"Speicher2"_s}),
    [](const testing::TestParamInfo<ZrBlock>& info) { return std::string(info.param.name); });

// --- No memory --------------------------------------------------------------

TEST(Download, GaugeWithoutMemoryGoesOnline)
{
    DownloadBench bench("DOR", PortType::Cable);
    // No reading arrives while the test looks.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"DOR"_s, u"--interval-ms"_s, u"60000"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.gaugeCommands(), QStringList({kIdentify, kIdentify}));
    EXPECT_TRUE(d.checked(u"optOnline"_s));
    EXPECT_EQ(d.text(u"optOnline"_s), u"Online (0)"_s);
    for (const QString& hidden : names({"optFE", "optNFE", "cmdLesen", "cmdLesFE", "cmdLesNFE"}))
        EXPECT_FALSE(d.visible(hidden)) << hidden.toStdString();
    EXPECT_EQ(bench.grid(d), Grid({germanHeading()}));
    EXPECT_TRUE(d.messages().isEmpty());
}

// --- Empty memories ---------------------------------------------------------

TEST(Download, EmptyMemoryIsNotAskedFor)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QString ident = bench.gaugeFile(u"ident.txt"_s, {"RK-SIVAR", "VD: 2.05", "M1:0"});
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--ident"_s, ident})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.gaugeCommands(), QStringList({kIdentify, kIdentify, kIdentify}));
    // The notice stays until the operator does something else.
    EXPECT_EQ(d.text(u"txtSpeicher"_s), u"Speicher ist leer"_s);
    EXPECT_TRUE(d.visible(u"txtSpeicher"_s));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (0)"_s);
    EXPECT_EQ(bench.grid(d), Grid({germanHeading()}));
    EXPECT_TRUE(d.messages().isEmpty());
}

TEST(Download, EmptyFeMemoryIsReportedThenNfeIsRead)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    const QString ident = bench.gaugeFile(u"ident.txt"_s, {"FN-B VELO-PROBA", "VD: 4.15", "M1:0", "M2:3"});
    const QString memory2 = bench.gaugeFile(u"memory2.txt"_s, {
        recordLine(1, "10.0", "µm", "NFe"),
        recordLine(2, "12.0", "µm", "NFe"),
        recordLine(3, "14.0", "µm", "NFe"),
    });
    GaugeSim& gauge =
        bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--ident"_s, ident, u"--memory2"_s, memory2}));
    ASSERT_TRUE(gauge.ready());

    // A look every 100 ms for 2.5 s, each noted with the time it came and
    // what the gauge had been asked by then.
    QString script;
    for (int i = 0; i < 25; ++i) script += u"wait-ms 100\ndump\n"_s;
    QList<qint64> seenAt;
    QList<QStringList> askedBy;
    QElapsedTimer clock;
    clock.start();
    const DriveResult result = bench.connect(script + kUntilIdle + u"dump\n"_s, [&](int) {
        seenAt << clock.elapsed();
        askedBy << gauge.commands();
    });
    ASSERT_EQ(result.dumps.size(), 26);

    const QString notice = u"FE-Speicher leer!"_s;
    qsizetype first = -1;
    qsizetype gone = -1;
    for (qsizetype i = 0; i < result.dumps.size(); ++i) {
        const Dump& d = result.dumps[i];
        const bool shown = d.text(u"txtSpeicher"_s) == notice && d.visible(u"txtSpeicher"_s);
        if (shown && first < 0) first = i;
        if (!shown && first >= 0 && gone < 0) gone = i;
    }
    ASSERT_GE(first, 0) << "the empty notice of memory 1 was never seen";
    ASSERT_GT(gone, first) << "the empty notice of memory 1 did not go away";
    // Shown for about a second, and memory 2 only asked for after it.
    const qint64 shownMs = seenAt[gone] - seenAt[first];
    EXPECT_GE(shownMs, 400);
    EXPECT_LE(shownMs, 1800);
    EXPECT_EQ(askedBy[first], QStringList({kIdentify, kIdentify}));
    EXPECT_EQ(bench.grid(result.dumps[first]), Grid({germanHeading()}));

    const Dump& d = result.dumps.last();
    EXPECT_EQ(bench.gaugeCommands(), QStringList({kIdentify, kIdentify, kMemory2}));
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "10.0", kUmNfe), readingRow(2, "12.0", kUmNfe),
                                   readingRow(3, "14.0", kUmNfe)}));
    EXPECT_TRUE(d.checked(u"optNFE"_s));
    EXPECT_EQ(d.text(u"optFE"_s), u"FE-Speicher (0)"_s);
    EXPECT_EQ(d.text(u"optNFE"_s), u"NFE-Speicher (3)"_s);
    EXPECT_EQ(d.text(u"txtSpeicher"_s), u"BEREIT"_s);
    EXPECT_EQ(d.list(u"lstStat"_s), statisticsList(u"NFE-Speicher"_s, u"Statistik:"_s, 3,
                                                   {u"10.0"_s, u"14.0"_s, u"12.0"_s, u"2.0"_s}, kUm));
}

// --- Limit colours ----------------------------------------------------------

constexpr const char* kGreen = "#9ee89b";
constexpr const char* kRed = "#efa2a2";
constexpr const char* kWhite = "#ffffff";

struct LimitCase {
    const char* name;
    QByteArray limitIni;
    QString caption;
    std::vector<const char*> rowColours; // of the seven readings below
};

void PrintTo(const LimitCase& limits, std::ostream* os) { *os << limits.name; }

class DownloadLimits : public testing::TestWithParam<LimitCase> {};

TEST_P(DownloadLimits, RowsAreColouredAgainstLimitIni)
{
    const LimitCase& limits = GetParam();
    DownloadBench bench("RKS", PortType::Cable);
    // Limit.ini is read on connecting.
    bench.settingsFile(kSivar, u"Limit.ini"_s, limits.limitIni);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "9.9", "µm"),
        recordLine(2, "10.0", "µm"),
        recordLine(3, "12.5", "µm"),
        recordLine(4, "20.0", "µm"),
        recordLine(5, "20.1", "µm"),
        recordLine(6, "-15.0", "µm"), // absolute values are on: 15
        recordLine(7, "0.0", "µm"),
    });
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "9.9", kUmNoLabel), readingRow(2, "10.0", kUmNoLabel),
                                   readingRow(3, "12.5", kUmNoLabel), readingRow(4, "20.0", kUmNoLabel),
                                   readingRow(5, "20.1", kUmNoLabel), readingRow(6, "-15.0", kUmNoLabel),
                                   readingRow(7, "0.0", kUmNoLabel)}));
    Grid expected;
    for (const char* colour : limits.rowColours) expected << QStringList(4, QString::fromLatin1(colour));
    EXPECT_EQ(d.gridColours().mid(1), expected); // the heading has the button face colour
    EXPECT_EQ(d.text(u"cmdWerte"_s), limits.caption);
}

INSTANTIATE_TEST_SUITE_P(
    , DownloadLimits,
    testing::Values(
        // A value on a limit is within; 0 is below the lower limit.
        LimitCase{"LowerAndUpper", "10;20;0;\r\n", u">     10\r\n<     20\r\n=      0"_s,
                  {kRed, kGreen, kGreen, kGreen, kRed, kGreen, kRed}},
        // An upper limit of 0 means none: a minimum thickness alone is
        // checked (-15 counts by its size while absolute values are on).
        LimitCase{"UpperLimitZero", "10;0;0;\r\n", u">     10\r\n<      0\r\n=      0"_s,
                  {kRed, kGreen, kGreen, kGreen, kGreen, kGreen, kRed}},
        // All limits 0: no colours.
        LimitCase{"None", "0;0;0;\r\n", u">      0\r\n<      0\r\n=      0"_s,
                  {kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite}}),
    [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

// --- Language switch after a download -----------------------------------------

TEST(Download, EnglishKeepsTheCounts)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    const QString memory1 = bench.gaugeFile(u"memory1.txt"_s, {
        recordLine(1, "20.0", "µm", "Fe"),
        recordLine(2, "30.0", "µm", "Fe"),
        recordLine(3, "40.0", "µm", "Fe"),
    });
    const QString memory2 = bench.gaugeFile(u"memory2.txt"_s, {
        recordLine(1, "5.0", "µm", "NFe"),
        recordLine(2, "7.0", "µm", "NFe"),
    });
    ASSERT_TRUE(
        bench.startSim(simOptions({u"--model"_s, u"FNB"_s, u"--memory1"_s, memory1, u"--memory2"_s, memory2}))
            .ready());
    // The switch lets the event loop run while it re-captions: a short pause
    // lets it finish before the look.
    const DriveResult result = bench.connect(kUntilIdle + u"click English\nwait-ms 300\ndump\nclick optFE\n"_s
                                             + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    for (const Dump& d : result.dumps) {
        EXPECT_EQ(d.text(u"optFE"_s), u"FE-Memory (3)"_s);
        EXPECT_EQ(d.text(u"optNFE"_s), u"NFE-Memory (2)"_s);
        EXPECT_EQ(d.text(u"txtSpeicher"_s), u"READY"_s);
    }
    EXPECT_TRUE(result.dumps[0].checked(u"optNFE"_s));
    EXPECT_EQ(bench.grid(result.dumps[0]),
              Grid({englishHeading(), readingRow(1, "5.0", kUmNfe), readingRow(2, "7.0", kUmNfe)}));
    EXPECT_EQ(result.dumps[0].list(u"lstStat"_s),
              statisticsList(u"NFE-Memory"_s, u"Statistics:"_s, 2, {u"5.0"_s, u"7.0"_s, u"6.0"_s, u"1.4"_s}, kUm,
                             Language::English));
    EXPECT_EQ(bench.grid(result.dumps[1]), Grid({englishHeading(), readingRow(1, "20.0", kUmFe),
                                                 readingRow(2, "30.0", kUmFe), readingRow(3, "40.0", kUmFe)}));
    EXPECT_EQ(result.dumps[1].list(u"lstStat"_s),
              statisticsList(u"FE-Memory"_s, u"Statistics:"_s, 3, {u"20.0"_s, u"40.0"_s, u"30.0"_s, u"10.0"_s}, kUm,
                             Language::English));
}

TEST(Download, EnglishNamesTheNumberedBlock)
{
    DownloadBench bench("RKM", PortType::Cable);
    const QString ident = bench.gaugeFile(u"ident.txt"_s, {"RK-MENO", "VD: 1.18", "M1:5", "M3:2"});
    const QString memory =
        bench.gaugeFile(u"memory1.txt"_s, {recordLine(1, "100.0", "G"), recordLine(2, "-300.0", "G")});
    ASSERT_TRUE(
        bench.startSim(simOptions({u"--model"_s, u"RKM"_s, u"--ident"_s, ident, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click English\nwait-ms 300\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(d.text(u"optFE"_s), u"Memory3 (2)"_s);
    const QString g = u"G       "_s;
    EXPECT_EQ(bench.grid(d), Grid({englishHeading(), readingRow(1, "100.0", g), readingRow(2, "-300.0", g)}));
    EXPECT_EQ(d.list(u"lstStat"_s), statisticsList(u"Memory3"_s, u"Statistics:  with absolute values"_s, 2,
                                                   {u"100.0"_s, u"300.0"_s, u"200.0"_s, u"141.4"_s}, u"G   "_s,
                                                   Language::English));
}

} // namespace
