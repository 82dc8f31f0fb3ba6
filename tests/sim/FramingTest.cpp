// What the simulated gauge puts on the wire, byte for byte.

#include "LineFile.h"
#include "Replies.h"
#include "WirePacer.h"

#include <gtest/gtest.h>

using namespace kivo::sim;

TEST(SimFraming, IdentReplyIsLinesWithCrLfThenEot)
{
    EXPECT_EQ(identReply({"RK-SIVAR", "VD: 2.05", "M1:12"}), QByteArray("RK-SIVAR\r\nVD: 2.05\r\nM1:12\r\n\x04"));
    EXPECT_EQ(identReply({}), QByteArray("\x04"));
}

TEST(SimFraming, DumpIsHeaderStxLineRecordsThenEot)
{
    const QByteArray dump = dumpReply("RK-SIVAR M1 2", {"   1        48.2 \xB5m     ", "   2        -3.1 \xB5m     "});
    EXPECT_EQ(dump, QByteArray("RK-SIVAR M1 2\r\n"
                               "\x02\r\n"
                               "   1        48.2 \xB5m     \r\n"
                               "   2        -3.1 \xB5m     \r\n"
                               "\x04"));
}

TEST(SimFraming, EmptyDumpStillHasStxLineAndEot)
{
    EXPECT_EQ(dumpReply("DORNA-1", {}), QByteArray("DORNA-1\r\n\x02\r\n\x04"));
}

TEST(SimFraming, RecordPutsEachFieldInItsColumns)
{
    const QByteArray record = formatRecord(1, "12.345", "mm", "Fe");
    ASSERT_EQ(record.size(), kRecordColumns);
    EXPECT_EQ(record, QByteArray("   1      12.345 mm    Fe"));
    EXPECT_EQ(record.mid(0, 4), QByteArray("   1"));     // columns 1-4
    EXPECT_EQ(record.mid(6, 10), QByteArray("    12.345")); // columns 7-16
    EXPECT_EQ(record.mid(17, 4), QByteArray("mm  "));    // columns 18-21
    EXPECT_EQ(record.mid(22, 3), QByteArray(" Fe"));     // columns 23-25
}

TEST(SimFraming, MicroSignIsOneByteSoColumnsHold)
{
    const QByteArray record = formatRecord(4711, "-0.8", "\xB5m", "NFe");
    ASSERT_EQ(record.size(), kRecordColumns);
    EXPECT_EQ(record.mid(17, 4), QByteArray("\xB5m  "));
    EXPECT_EQ(record.mid(22, 3), QByteArray("NFe"));
}

TEST(SimFraming, OverlongFieldsAreCutToTheirColumns)
{
    const QByteArray record = formatRecord(12345, "123456789012", "kA/m/s", "ABCD");
    EXPECT_EQ(record.size(), kRecordColumns);
    EXPECT_EQ(record.mid(17, 4), QByteArray("kA/m"));
}

TEST(SimFraming, RecordWithoutMaterialHasBlankColumns)
{
    EXPECT_EQ(formatRecord(3, "2.315", "mVs", ""), QByteArray("   3       2.315 mVs     "));
}

TEST(SimFraming, OnlineStyleERecordIsAlways27Bytes)
{
    const QByteArray padded = onlineReading("   1        73.1", OnlineStyle::E);
    ASSERT_EQ(padded.size(), kOnlineRecordBytes);
    EXPECT_EQ(padded, QByteArray("   1        73.1         \r\n"));

    const QByteArray full = onlineReading(formatRecord(1, "73.1", "\xB5m", "Fe"), OnlineStyle::E);
    EXPECT_EQ(full.size(), 27);
    EXPECT_TRUE(full.endsWith("\r\n"));

    EXPECT_EQ(onlineReading(QByteArray(40, '7'), OnlineStyle::E).size(), 27);
    EXPECT_EQ(onlineReading("", OnlineStyle::E), QByteArray(25, ' ') + "\r\n");
}

TEST(SimFraming, OnlineStyleVIsTheLineWithCrLf)
{
    EXPECT_EQ(onlineReading("   1        50.1 \xB5m", OnlineStyle::V), QByteArray("   1        50.1 \xB5m\r\n"));
}

TEST(SimFraming, CountSkipsFourBlankLinesAndStopsAtAnEmptyLine)
{
    EXPECT_EQ(countReadings({"   1  1", "    comment", "   3  3"}), 2);
    EXPECT_EQ(countReadings({"   1  1", "", "   3  3"}), 1);
    EXPECT_EQ(countReadings({}), 0);
}

TEST(SimFraming, CommandsAreRecognisedInTheirLine)
{
    EXPECT_EQ(commandOf("$kivo00$"), Command::Identify);
    EXPECT_EQ(commandOf("$kivo10$"), Command::Memory1);
    EXPECT_EQ(commandOf("$kivo11$"), Command::Memory2);
    EXPECT_EQ(commandOf("garbage$kivo00$"), Command::Identify);
    EXPECT_EQ(commandOf("$kivo12$"), Command::Unknown);
    EXPECT_EQ(commandOf("kivo00"), Command::Unknown);
}

TEST(SimFraming, SplitterJoinsChunksAndSplitsOnCrAndLf)
{
    CommandSplitter splitter;
    EXPECT_TRUE(splitter.feed("$kiv").isEmpty());
    EXPECT_EQ(splitter.feed("o00$\r"), QList<QByteArray>{"$kivo00$"});
    EXPECT_TRUE(splitter.feed("\n").isEmpty()); // the LF of CR LF gives no empty line
    EXPECT_EQ(splitter.feed("$kivo10$\r\n$kivo11$\n"), (QList<QByteArray>{"$kivo10$", "$kivo11$"}));
}

TEST(SimFraming, SplitterDoesNotGrowOnEndlessGarbage)
{
    CommandSplitter splitter;
    splitter.feed(QByteArray(3 * CommandSplitter::kMaxPending, 'x'));
    const QList<QByteArray> lines = splitter.feed("\r\n");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].size(), CommandSplitter::kMaxPending);
}

TEST(SimFraming, LogLineShowsControlBytes)
{
    EXPECT_EQ(printableLine("$kivo00$"), QByteArray("$kivo00$"));
    EXPECT_EQ(printableLine("a\x02\xB5"), QByteArray("a<02><b5>"));
}

TEST(SimLineFile, SplitsOnAnyLineEndAndKeepsBytes)
{
    EXPECT_EQ(splitFileLines("a\r\nb\nc\rd"), (QList<QByteArray>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitFileLines("a\r\n"), QList<QByteArray>{"a"});
    EXPECT_EQ(splitFileLines("a\r\n\r\nb\r\n"), (QList<QByteArray>{"a", "", "b"}));
    EXPECT_EQ(splitFileLines("12 \xB5m\r\n"), QList<QByteArray>{"12 \xB5m"});
    EXPECT_TRUE(splitFileLines("").isEmpty());
}

TEST(SimLineFile, Utf8WithByteOrderMarkBecomesWindows1252)
{
    EXPECT_EQ(splitFileLines("\xEF\xBB\xBF" "12 \xC2\xB5m \xE2\x82\xAC\r\n"), QList<QByteArray>{"12 \xB5m \x80"});
}

namespace {
using Clock = WirePacer::Clock;
using std::chrono::milliseconds;
} // namespace

TEST(SimPacer, UnpacedAllowsEverything)
{
    WirePacer pacer;
    EXPECT_GT(pacer.allowance(Clock::now()), 1000000);
    EXPECT_EQ(pacer.untilNextByte(Clock::now()).count(), 0);
}

TEST(SimPacer, AllowsTenBitsPerByte)
{
    WirePacer pacer(38400);
    const Clock::time_point t0 = Clock::now();
    pacer.begin(t0);
    EXPECT_EQ(pacer.allowance(t0), 0);
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(1000)), 3840);
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(500)), 1920);
    pacer.sent(1920);
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(500)), 0);
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(1000)), 1920);
}

TEST(SimPacer, WaitsUntilTheNextByteIsDue)
{
    WirePacer pacer(9600); // 960 bytes a second: one every 1041.7 µs
    const Clock::time_point t0 = Clock::now();
    pacer.begin(t0);
    const auto wait = pacer.untilNextByte(t0);
    EXPECT_GE(wait.count(), 1041);
    EXPECT_LE(wait.count(), 1042);
    EXPECT_EQ(pacer.allowance(t0 + wait), 1);
}

TEST(SimPacer, BacklogKeepsItsScheduleButIdleWireStartsAfresh)
{
    WirePacer pacer(38400);
    const Clock::time_point t0 = Clock::now();
    pacer.begin(t0);
    pacer.sent(3840); // one second's worth written at once would be a burst
    pacer.begin(t0 + milliseconds(100));
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(500)), 0);

    pacer.begin(t0 + milliseconds(2000)); // the wire has been idle since 1 s
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(2000)), 0);
    EXPECT_EQ(pacer.allowance(t0 + milliseconds(2100)), 384);
}
