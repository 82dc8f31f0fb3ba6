// A memory dump cut into its data lines: header, STX line, readings, EOT.

#include "QtPrinters.h"
#include "session/ProgramState.h"
#include "device/DumpSplit.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QString kStx = "\x02";
const QString kEot = "\x04";

// The lines as the gauge sends them, each ended by CR LF, then EOT.
QString dump(const QStringList& lines) { return lines.join("\r\n") + "\r\n" + kEot; }

// A reading in its 25 columns: number, value, unit, material.
QString reading(int nr) { return QString::number(nr).rightJustified(4) + "        12.3 µm    Fe"; }

TEST(SplitDump, CutsTheDataLines)
{
    const std::tuple<const char*, QString, QStringList> cases[] = {
        {"no STX line", dump({"KIVO", reading(1), reading(2)}), {}},
        {"EOT alone", kEot, {}},
        {"STX only", dump({kStx}), {}},
        {"header ignored", dump({"KIVO", "M1:2", QString(), kStx, reading(1), reading(2)}),
         {reading(1), reading(2)}},
        {"first line right after STX", dump({kStx, reading(7), reading(1)}), {reading(7), reading(1)}},
        {"four blanks skipped", dump({kStx, reading(1), "    Block 2", reading(2)}),
         {reading(1), reading(2)}},
        {"three blanks kept", dump({kStx, "   9         1.0 G       "}), {"   9         1.0 G       "}},
        {"header lines with four blanks", dump({"    Kopf", kStx, reading(1)}), {reading(1)}},
        {"STX with more is no STX line", dump({"\x02KIVO", reading(1)}), {}},
        {"STX inside a line is no STX line", dump({"KIVO\x02", reading(1)}), {}},
        {"a second STX line is not stored", dump({kStx, reading(1), kStx, reading(2)}), {reading(1), reading(2)}},
        // The EOT after the last CR LF, and a line cut off before its CR LF, are no lines.
        {"last line without CR LF", dump({kStx, reading(1)}).chopped(1) + reading(2) + kEot, {reading(1)}},
        {"no EOT yet", dump({kStx, reading(1), reading(2)}).chopped(1), {reading(1), reading(2)}},
    };
    for (const auto& [what, text, lines] : cases) {
        const DumpLines out = splitDump(text, kMaxReadings);
        EXPECT_EQ(out.lines, lines) << what;
        EXPECT_FALSE(out.exceeded) << what;
    }
}

TEST(SplitDump, StopsAtTheLimit)
{
    // A full table is not exceeded, and skipped lines do not count.
    for (const QString& text : {dump({kStx, reading(1), reading(2), reading(3)}),
                                dump({kStx, reading(1), "    -", reading(2), reading(3)})}) {
        const DumpLines full = splitDump(text, 3);
        EXPECT_EQ(full.lines, QStringList({reading(1), reading(2), reading(3)}));
        EXPECT_FALSE(full.exceeded);
    }
    const DumpLines over = splitDump(dump({kStx, reading(1), reading(2), reading(3), reading(4), reading(5)}), 3);
    EXPECT_EQ(over.lines, QStringList({reading(1), reading(2), reading(3)}));
    EXPECT_TRUE(over.exceeded);
}

} // namespace
