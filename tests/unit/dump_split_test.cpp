// A memory dump cut into its data lines: header, STX line, readings, EOT.

#include "QtPrinters.h"
#include "app/ProgramState.h"
#include "device/DumpSplit.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QString kStx = QStringLiteral("\x02");
const QString kEot = QStringLiteral("\x04");
const QString kCrLf = QStringLiteral("\r\n");

// The lines as the gauge sends them, each ended by CR LF, then EOT.
QString dump(std::initializer_list<QString> lines)
{
    QString text;
    for (const QString& line : lines) text += line + kCrLf;
    return text + kEot;
}

QString reading(int nr)
{
    return QString::number(nr).rightJustified(4) + QStringLiteral("       12.3 µm    Fe");
}

TEST(SplitDump, CutsTheDataLines)
{
    struct Case {
        const char* what;
        QString dump;
        QStringList lines;
    };
    const Case cases[] = {
        {"no STX line", dump({QStringLiteral("KIVO"), reading(1), reading(2)}), {}},
        {"nothing at all", QString(), {}},
        {"EOT alone", kEot, {}},
        {"STX only", dump({kStx}), {}},
        {"header ignored", dump({QStringLiteral("KIVO"), QStringLiteral("M1:2"), QString(), kStx, reading(1), reading(2)}),
         {reading(1), reading(2)}},
        {"first line right after STX", dump({kStx, QStringLiteral("x"), reading(1)}), {QStringLiteral("x"), reading(1)}},
        {"four blanks skipped", dump({kStx, reading(1), QStringLiteral("    Block 2"), reading(2)}),
         {reading(1), reading(2)}},
        {"three blanks kept", dump({kStx, QStringLiteral("   9        1.0 G   ")}),
         {QStringLiteral("   9        1.0 G   ")}},
        {"header lines with four blanks", dump({QStringLiteral("    Kopf"), kStx, reading(1)}), {reading(1)}},
        {"STX with more is no STX line", dump({QStringLiteral("\x02KIVO"), reading(1)}), {}},
        {"STX inside a line is no STX line", dump({QStringLiteral("KIVO\x02"), reading(1)}), {}},
        {"a second STX line is not stored", dump({kStx, reading(1), kStx, reading(2)}), {reading(1), reading(2)}},
        // The EOT after the last CR LF, and a line cut off before its CR LF, are no lines.
        {"last line without CR LF", dump({kStx, reading(1)}).chopped(1) + reading(2) + kEot, {reading(1)}},
        {"no EOT yet", dump({kStx, reading(1), reading(2)}).chopped(1), {reading(1), reading(2)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DumpLines out = splitDump(c.dump, kMaxReadings);
        EXPECT_EQ(out.lines, c.lines);
        EXPECT_FALSE(out.exceeded);
    }
}

TEST(SplitDump, StopsAtTheLimit)
{
    const DumpLines full = splitDump(dump({kStx, reading(1), reading(2), reading(3)}), 3);
    EXPECT_EQ(full.lines, QStringList({reading(1), reading(2), reading(3)}));
    EXPECT_FALSE(full.exceeded);

    const DumpLines over = splitDump(dump({kStx, reading(1), reading(2), reading(3), reading(4), reading(5)}), 3);
    EXPECT_EQ(over.lines, QStringList({reading(1), reading(2), reading(3)}));
    EXPECT_TRUE(over.exceeded);

    // Skipped lines do not count.
    const DumpLines skipped = splitDump(dump({kStx, reading(1), QStringLiteral("    -"), reading(2)}), 2);
    EXPECT_EQ(skipped.lines, QStringList({reading(1), reading(2)}));
    EXPECT_FALSE(skipped.exceeded);
}

TEST(SplitDump, KeepsTheFirstFiveThousandReadings)
{
    QString text = QStringLiteral("KIVO\r\n") + kStx + kCrLf;
    for (int i = 1; i <= kMaxReadings + 1; ++i) text += reading(i) + kCrLf;
    text += kEot;

    const DumpLines out = splitDump(text, kMaxReadings);
    EXPECT_TRUE(out.exceeded);
    ASSERT_EQ(out.lines.size(), kMaxReadings);
    EXPECT_EQ(out.lines.front(), reading(1));
    EXPECT_EQ(out.lines.back(), reading(kMaxReadings));

    text.remove(text.lastIndexOf(reading(kMaxReadings + 1) + kCrLf), reading(kMaxReadings + 1).size() + 2);
    const DumpLines exact = splitDump(text, kMaxReadings);
    EXPECT_FALSE(exact.exceeded);
    EXPECT_EQ(exact.lines.size(), kMaxReadings);
}

} // namespace
