// Where a reply ends: the gauge's EOT after its last line, not a stray EOT
// of an answer that was over, and not a damaged byte inside a dump's line.

#include "device/ReplyEnd.h"

#include <QString>
#include <gtest/gtest.h>

using namespace kivo;

TEST(ReplyEnd, TheEotAfterTheLastLineEndsIt)
{
    struct Case {
        const char* what;
        QString before, received;
        bool dump;
        qsizetype stray, eot;
        bool doubtful;
    };
    const QString line = QStringLiteral("   1        48.2 µm      \r\n");
    const Case cases[] = {
        {"an answer in one piece", {}, "RK-SIVAR\r\nM1:3\r\n\x04", false, 0, 16, false},
        {"the last line ended by EOT alone", {}, "RK-SIVAR\r\nM1:3\x04", false, 0, 14, false},
        {"nothing yet", {}, "RK-SIV", false, 0, -1, false},
        {"a stray EOT before the answer", {}, "\x04RK-SIVAR\r\n\x04", false, 1, 11, false},
        {"stray blank lines and EOTs", "\r\n", "\x04\r\n\x04RK", false, 4, -1, false},
        {"a dump ends after its line end", "H\r\n\x02\r\n", line + "\x04", true, 0, 27, false},
        {"the line end split from its EOT", "H\r\n\x02\r\n" + line.chopped(1), "\n\x04", true, 0, 1, false},
        // A damaged LF: the dump goes on to its real end.
        {"an EOT inside a line with more behind", {}, line.chopped(1) + "\x04" + line + "\x04", true, 0, 54, false},
        {"an EOT inside a line, last for now", {}, line.chopped(1) + "\x04", true, 0, 26, true},
    };
    for (const Case& c : cases) {
        const ReplyEnd end = findReplyEnd(c.before, c.received, c.dump);
        EXPECT_EQ(end.strayBefore, c.stray) << c.what;
        EXPECT_EQ(end.eot, c.eot) << c.what;
        EXPECT_EQ(end.doubtful, c.doubtful) << c.what;
    }
}
