// The identification reply, line by line, and the port an entry names.

#include "device/ComboPortText.h"
#include "device/IdentReply.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

struct Parsed : DeviceInfo {
    QString geraet;
};

Parsed parsed(const QString& reply, const QString& layout, std::optional<QString>* failure = nullptr)
{
    Parsed f;
    f.geraet = QStringLiteral("old");
    f.geraetesoftware = QStringLiteral("old");
    f.anzahl1 = 99;
    f.anzahl2 = 98;
    const auto result = parseIdentReply(reply, layout, f.geraet, f);
    if (failure) *failure = result;
    return f;
}

} // namespace

TEST(IdentReply, FullReplyOfACableGauge)
{
    std::optional<QString> failure;
    const Parsed f = parsed(QStringLiteral("RK-SIVAR 2.0\r\nVD:  1.23 \r\nM1:12\r\nAD:00:11:22\r\nPT: F5 \r\n"
                                                "VP:3\r\nXX:ignored\r\n\x04"),
                                 QStringLiteral("1"), &failure);
    EXPECT_FALSE(failure);
    EXPECT_EQ(f.geraet, u"RKS");
    EXPECT_EQ(f.geraetesoftware, u"1.23");
    EXPECT_EQ(f.speichernr, 1);
    EXPECT_EQ(f.anzahl1, 12);
    EXPECT_EQ(f.anzahl2, 98);
    EXPECT_EQ(f.macadr, u"00:11:22");
    EXPECT_EQ(f.sondentyp, u"F5");
    EXPECT_EQ(f.sondenversion, u"3");
}

TEST(IdentReply, FirstLineOnlyChangesTheDeviceOnly)
{
    const Parsed f = parsed(QStringLiteral("FE-B\r\n\x04"), QStringLiteral("2"));
    EXPECT_EQ(f.geraet, u"FEB");
    EXPECT_EQ(f.geraetesoftware, u"old");
    EXPECT_EQ(f.anzahl1, 99);
    EXPECT_EQ(parsed(QStringLiteral("FN-B V2\r\n\x04"), QStringLiteral("2")).geraet, u"FNB");
    EXPECT_EQ(parsed(QStringLiteral("RK-TALO\r\n\x04"), QStringLiteral("1")).geraet, u"RKT");
}

TEST(IdentReply, MemoryCountsFollowTheLayout)
{
    struct Case {
        const char* layout;
        const char* lines;
        int anzahl1, anzahl2, speichernr;
    };
    const Case cases[] = {
        {"2N", "M1:12\r\nM2:0\r\n", 12, 0, 2},
        {"2E", "M2:7\r\nM1:3\r\n", 3, 7, 1},
        {"3", "M1:5\r\nM3:7\r\n", 7, 98, 3},
        {"1", "M1:5\r\nM2:6\r\n", 6, 98, 2},
        {"X", "M2:5\r\nM1:4\r\n", 4, 98, 1},
        {"X", "M3:5\r\n", 99, 98, 3},
        // The last line may end with EOT alone, without its CR LF.
        {"2N", "M1:12", 12, 98, 1},
        {"2N", "M1:12\r\nM2:4", 12, 4, 2},
    };
    for (const Case& c : cases) {
        const Parsed f = parsed(QStringLiteral("DOR-X\r\n") + QString::fromLatin1(c.lines) + u'\x04',
                                     QString::fromLatin1(c.layout));
        EXPECT_EQ(f.anzahl1, c.anzahl1) << c.layout << " " << c.lines;
        EXPECT_EQ(f.anzahl2, c.anzahl2) << c.layout << " " << c.lines;
        EXPECT_EQ(f.speichernr, c.speichernr) << c.layout << " " << c.lines;
    }
}

TEST(IdentReply, ABadLineStopsTheReadingAndKeepsWhatCameBefore)
{
    std::optional<QString> failure;
    Parsed f = parsed(QStringLiteral("RKS 2.0\r\nVD:1\r\n\x04"), QStringLiteral("1"), &failure);
    EXPECT_TRUE(failure);
    EXPECT_EQ(f.geraet, u"old");

    f = parsed(QStringLiteral("RK-MENO\r\nVD: 4.5\r\nM1:many\r\nAD:x\r\n\x04"), QStringLiteral("3"), &failure);
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains(QStringLiteral("M1:many")));
    EXPECT_EQ(f.geraet, u"RKM");
    EXPECT_EQ(f.geraetesoftware, u"4.5");
    EXPECT_EQ(f.speichernr, 1);
    EXPECT_EQ(f.anzahl1, 99);
    EXPECT_TRUE(f.macadr.isEmpty());

    parsed(QStringLiteral("RK-MENO\r\nVD 4.5\r\n\x04"), QStringLiteral("3"), &failure);
    EXPECT_TRUE(failure); // a key line without ":"
    parsed(QStringLiteral("RK-MENO\r\nM1:70000\r\n\x04"), QStringLiteral("3"), &failure);
    EXPECT_TRUE(failure); // beyond the gauge's 16-bit counts
}

TEST(IdentReply, NoCompleteLineIsNoFailure)
{
    std::optional<QString> failure;
    const Parsed f = parsed(QString(), QStringLiteral("1"), &failure);
    EXPECT_FALSE(failure);
    EXPECT_EQ(f.geraet, u"old");
    parsed(QStringLiteral("RK-SIV"), QStringLiteral("1"), &failure);
    EXPECT_FALSE(failure);
}

TEST(ComboPortText, NumberedPortsReadTheNumberAfterCom)
{
    EXPECT_EQ(portFromComboText(QStringLiteral("COM12            VCP"), true), u"12");
    EXPECT_EQ(portFromComboText(QStringLiteral("COM3"), true), u"3");
    EXPECT_EQ(portFromComboText(QStringLiteral("COM123"), true), u"123");
    EXPECT_FALSE(portFromComboText(QStringLiteral("COMx"), true));
    EXPECT_FALSE(portFromComboText(QStringLiteral("abc"), true));
}

// The port is opened, and its unplugging recognised, by the system's name:
// on Windows the number alone ("3") names no port.
TEST(ComboPortText, TheSystemOpensAPortByItsFullName)
{
    for (const char* entry : {"COM3", "COM3            VCP", "COM12           BTH"}) {
        const auto port = portFromComboText(QString::fromLatin1(entry), true);
        ASSERT_TRUE(port) << entry;
        EXPECT_EQ(systemPortName(*port, true), QString::fromLatin1(entry).left(5).trimmed()) << entry;
    }
    EXPECT_EQ(systemPortName(QStringLiteral("12 "), true), u"COM12"); // as Port.ini holds it
    EXPECT_EQ(systemPortName(QStringLiteral("/dev/pts/3"), false), u"/dev/pts/3");
    EXPECT_EQ(systemPortName(QStringLiteral("ttyUSB0"), false), u"ttyUSB0");
}

TEST(ComboPortText, NamedPortsTakeTheFirstWord)
{
    EXPECT_EQ(portFromComboText(QStringLiteral("ttyUSB0          VCP"), false), u"ttyUSB0");
    EXPECT_EQ(portFromComboText(QStringLiteral("/tmp/sim/gauge   VCP"), false), u"/tmp/sim/gauge");
    EXPECT_FALSE(portFromComboText(QStringLiteral("   "), false));
    EXPECT_EQ(portCaptionName(QStringLiteral(" 7 "), true), u"COM7");
    EXPECT_EQ(portCaptionName(QStringLiteral("rfcomm0"), false), u"rfcomm0");
}
