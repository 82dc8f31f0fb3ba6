// Downloads that go wrong: a dump without its STX line, more readings than
// the table holds, Escape while the gauge is slow or never finishes, and a
// gauge that switches itself off in the middle of its dump.

#include "DownloadBench.h"

#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray rksIdentReply(int count) { return "RK-SIVAR\r\nVD: 2.05\r\nM1:" + QByteArray::number(count) + "\r\n\x04"; }

QByteArray dumpLines(bool withStx, bool withEot)
{
    QByteArray dump = "RK-SIVAR M1 3\r\n";
    if (withStx) dump += "\x02\r\n";
    dump += recordLine(1, "10.0", "µm") + "\r\n";
    dump += recordLine(2, "11.0", "µm") + "\r\n";
    dump += recordLine(3, "12.0", "µm") + "\r\n";
    if (withEot) dump += '\x04';
    return dump;
}

Grid threeReadings()
{
    return {germanHeading(), readingRow(1, "10.0", kUmNoLabel), readingRow(2, "11.0", kUmNoLabel),
            readingRow(3, "12.0", kUmNoLabel)};
}

TEST(Download, DumpWithoutStxLineGivesNoReadings)
{
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {rksIdentReply(3)});
    // The second read gets the same lines with their STX line.
    gauge.answer(kMemory1.toLatin1(), {dumpLines(false, true), dumpLines(true, true)});
    const DriveResult result =
        bench.connect(kUntilIdle + u"dump\nclick cmdLesen\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_EQ(bench.grid(result.dumps[0]), Grid({germanHeading()}));
    EXPECT_EQ(result.dumps[0].text(u"optFE"_s), u"Speicher (0)"_s);
    // The three readings the gauge announced are missed, and the operator is told.
    EXPECT_EQ(messageTexts(result.dumps[0]),
              QStringList({u"Das Gerät meldete 3 Messwerte, empfangen wurden nur 0. Bitte den Speicher erneut lesen."_s}));
    EXPECT_EQ(bench.grid(result.dumps[1]), threeReadings());
    EXPECT_EQ(result.dumps[1].text(u"optFE"_s), u"Speicher (3)"_s);
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1 + QStringList({kIdentify, kMemory1}));
}

TEST(Download, DamagedLinesAreRefusedWholeAndCountedAsMissing)
{
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {rksIdentReply(5)});
    QByteArray nul = recordLine(2, "3.3", "µm");
    nul[14] = '\0'; // would read 3
    QByteArray shifted = recordLine(4, "8.8", "µm");
    shifted.insert(8, '\xa0'); // a no-break space: the columns move
    gauge.answer(kMemory1.toLatin1(),
                 {"RK-SIVAR M1 5\r\n\x02\r\n" + recordLine(1, "10.0", "µm") + "\r\n" + nul + "\r\n"
                  + recordLine(3, "12.0", "µm") + "\r\n" + shifted + "\r\n" + recordLine(5, "14.0", "µm")
                  + "\r\n\x04"});
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.grid(d), Grid({germanHeading(), readingRow(1, "10.0", kUmNoLabel), readingRow(3, "12.0", kUmNoLabel),
                                   readingRow(5, "14.0", kUmNoLabel)}));
    EXPECT_EQ(messageTexts(d), QStringList({u"Das Gerät meldete 5 Messwerte, empfangen wurden nur 3; 2 Zeilen waren "
                                            u"beschädigt. Bitte den Speicher erneut lesen."_s}));
}

TEST(Download, AValueNoMeasurementFileCouldHoldIsRefused)
{
    // 9999999999 µm would be written wider than a file's value column and
    // be lost at the next load.
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {rksIdentReply(2)});
    gauge.answer(kMemory1.toLatin1(), {"RK-SIVAR M1 2\r\n\x02\r\n" + recordLine(1, "10.0", "µm") + "\r\n"
                                       + recordLine(2, "9999999999", "µm") + "\r\n\x04"});
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(bench.grid(result.dumps[0]), Grid({germanHeading(), readingRow(1, "10.0", kUmNoLabel)}));
    EXPECT_TRUE(messageTexts(result.dumps[0]).contains(u"Fill Messdaten: 6Overflow"_s))
        << messageTexts(result.dumps[0]).join(u'|').toStdString();
}

TEST(Download, ACountLineEndedByEotIsRead)
{
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {"RK-SIVAR\r\nVD: 2.05\r\nM1:3\x04"});
    gauge.answer(kMemory1.toLatin1(), {dumpLines(true, true)});
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(bench.grid(result.dumps[0]), threeReadings());
    EXPECT_TRUE(result.dumps[0].messages().isEmpty());
}

TEST(Download, MoreThan5000LinesKeepsTheFirst5000)
{
    DownloadBench bench("RKS", PortType::Cable);
    QList<QByteArray> lines;
    for (int n = 1; n <= 5003; ++n) lines << recordLine(n, n % 2 ? "10.0" : "20.0", "µm");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const DriveResult result = bench.connect(u"wait-until-idle 30000\ndump\n"_s, {}, 40000);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];

    EXPECT_EQ(messageTexts(d), QStringList({u"Maximale Werteanzahl überschritten 5000"_s}));
    Grid expected = {germanHeading()};
    for (int n = 1; n <= 5000; ++n) expected << readingRow(n, n % 2 ? u"10.0"_s : u"20.0"_s, kUmNoLabel);
    const Grid shown = bench.grid(d);
    EXPECT_EQ(shown.size(), 5001);
    EXPECT_TRUE(shown == expected) << "first differing row: " << [&] {
        for (qsizetype r = 0; r < std::min(shown.size(), expected.size()); ++r)
            if (shown[r] != expected[r]) return shown[r].join(u'|').toStdString();
        return std::string("none before the end of the shorter grid");
    }();
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (5000)"_s);
    EXPECT_EQ(d.list(u"lstStat"_s), statisticsList(u"Speicher"_s, u"Statistik:  mit Absolutwerten"_s, 5000,
                                                   {u"10.0"_s, u"20.0"_s, u"15.0"_s, u"5.0"_s}, kUm));
}

// --- Cancelled and cut-off downloads ----------------------------------------

TEST(Download, EscapeDuringASlowDumpParsesNothing)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSlowRks().ready());
    const DriveResult result = bench.connect(
        u"wait-ms 500\nkey Escape\nwait-until-idle 5000\ndump\nwait-ms 2500\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1);
    // Also once the rest of the dump has come in.
    for (const Dump& d : result.dumps) {
        EXPECT_EQ(bench.grid(d), Grid({germanHeading()}));
        EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (0)"_s);
        EXPECT_FALSE(d.visible(u"escapeHint"_s));
        EXPECT_TRUE(d.enabled(u"cmdLesen"_s));
        EXPECT_TRUE(d.messages().isEmpty());
    }
}

TEST(Download, EscapeEndsADumpThatNeverEnds)
{
    DownloadBench bench("RKS", PortType::Cable);
    RawGauge& gauge = bench.startRawGauge();
    ASSERT_TRUE(gauge.ready());
    gauge.answer(kIdentify.toLatin1(), {rksIdentReply(3)});
    // No EOT the first time; the next read is complete.
    gauge.answer(kMemory1.toLatin1(), {dumpLines(true, false), dumpLines(true, true)});
    const DriveResult result = bench.connect(u"wait-ms 800\ndump\nkey Escape\nwait-until-idle 5000\ndump\n"
                                             u"click cmdLesen\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_TRUE(result.dumps[0].visible(u"escapeHint"_s)) << "the download was not waiting";
    EXPECT_EQ(bench.grid(result.dumps[1]), Grid({germanHeading()}));
    EXPECT_EQ(result.dumps[1].text(u"optFE"_s), u"Speicher (0)"_s);
    EXPECT_FALSE(result.dumps[1].visible(u"escapeHint"_s));
    // Escape does not stay pressed for the next download.
    EXPECT_EQ(bench.grid(result.dumps[2]), threeReadings());
    EXPECT_EQ(result.dumps[2].text(u"optFE"_s), u"Speicher (3)"_s);
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1 + QStringList({kIdentify, kMemory1}));
}

TEST(Download, GaugeSwitchedOffDuringTheDump)
{
    DownloadBench bench("RKS", PortType::Cable);
    QList<QByteArray> lines;
    for (int n = 1; n <= 200; ++n) lines << recordLine(n, "10.0", "µm");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    // The dump would take 11 s; the gauge switches off 2.5 s after it was
    // started, well inside the dump.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory, u"--pace-baud"_s, u"4800"_s,
                                    u"--switch-off-after-ms"_s, u"2500"_s}))
                    .ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(bench.gaugeCommands(), kCableReadsMemory1);
    EXPECT_EQ(d.text(u"txtWait"_s), u"Gerät nicht verfügbar !"_s);
    EXPECT_TRUE(d.visible(u"cmdConnect"_s));
    EXPECT_EQ(bench.grid(d), Grid({germanHeading()}));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (0)"_s);
    // Nothing is offered that would ask the gauge; what was read before stays usable.
    for (const QString& name : names({"cmdLesen", "cmdLesFE", "cmdLesNFE"}))
        EXPECT_FALSE(d.enabled(name)) << name.toStdString();
    EXPECT_TRUE(d.enabled(u"cmdOpen"_s));
}

} // namespace
