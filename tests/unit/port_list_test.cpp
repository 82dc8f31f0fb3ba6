// Which serial ports the port list offers and how its items read.

#include "QtPrinters.h"
#include "device/PortList.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QStringList names(const std::vector<PortInfo>& ports)
{
    QStringList out;
    for (const PortInfo& p : ports) out << p.name;
    return out;
}

// A Windows machine: one built-in port, a USB cable, two Bluetooth ports.
const std::vector<PortInfo> kWindowsPorts = {
    {QStringLiteral("COM1"), QStringLiteral("Standard"), false},
    {QStringLiteral("COM3"), QStringLiteral("BTH Serial"), false},
    {QStringLiteral("COM4"), QStringLiteral("VCP"), false},
    {QStringLiteral("COM7"), QStringLiteral("bthenum"), false},
    {QStringLiteral("COM12"), QStringLiteral("vcp FTDI"), false},
    {QStringLiteral("COM20"), QStringLiteral("Modem"), false},
};

TEST(SuitablePorts, BluetoothGaugeGetsBluetoothPortsOnly)
{
    EXPECT_EQ(names(suitablePorts(kWindowsPorts, QStringLiteral("B"))),
              (QStringList{QStringLiteral("COM3"), QStringLiteral("COM7")}));
}

TEST(SuitablePorts, CableGaugeGetsUsbPortsAndTheFirstBuiltInPort)
{
    EXPECT_EQ(names(suitablePorts(kWindowsPorts, QStringLiteral("K"))),
              (QStringList{QStringLiteral("COM1"), QStringLiteral("COM4"), QStringLiteral("COM12")}));
}

TEST(SuitablePorts, FirstOnBoardPortOnANamedSystem)
{
    const std::vector<PortInfo> ports = {
        {QStringLiteral("ttyS1"), QString(), false},
        {QStringLiteral("ttyS0"), QString(), true},
        {QStringLiteral("rfcomm0"), QStringLiteral("BTH"), false},
        {QStringLiteral("ttyUSB0"), QStringLiteral("VCP"), false},
    };
    EXPECT_EQ(names(suitablePorts(ports, QStringLiteral("K"))),
              (QStringList{QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")}));
    EXPECT_EQ(names(suitablePorts(ports, QStringLiteral("B"))), QStringList{QStringLiteral("rfcomm0")});
}

TEST(SuitablePorts, LinkCodeIsComparedWithoutBlanks)
{
    EXPECT_EQ(names(suitablePorts(kWindowsPorts, QStringLiteral(" B "))).size(), 2);
    EXPECT_EQ(names(suitablePorts(kWindowsPorts, QStringLiteral("K "))).size(), 3);
}

TEST(SuitablePorts, UnknownModelGetsNoPort)
{
    for (const char* link : {"", " ", "X", "b", "k"})
        EXPECT_TRUE(suitablePorts(kWindowsPorts, QString::fromLatin1(link)).empty()) << link;
}

// ---- item texts ---------------------------------------------------------

TEST(PortListItems, NumberedPortsInFiveColumnsThenTheType)
{
    const std::vector<PortInfo> ports = {
        {QStringLiteral("COM3"), QStringLiteral("BTHENUM"), false},
        {QStringLiteral("COM12"), QStringLiteral("VCP"), false},
        {QStringLiteral("COM1"), QString(), true},
        {QStringLiteral("COM5"), QStringLiteral("VCP FTDI USB Serial Port"), false}, // type never cut
    };
    const QStringList expected = {
        QStringLiteral("COM3         BTHENUM"),
        QStringLiteral("COM12            VCP"),
        QStringLiteral("COM1                "),
        QStringLiteral("COM5 VCP FTDI USB Serial Port"),
    };
    EXPECT_EQ(portListItems(ports, true), expected);
}

TEST(PortListItems, NamedPortsAsWideAsTheLongestName)
{
    const std::vector<PortInfo> ports = {
        {QStringLiteral("ttyS0"), QString(), true},
        {QStringLiteral("ttyUSB0"), QStringLiteral("VCP"), false},
        {QStringLiteral("rfcomm10"), QStringLiteral("BTH"), false},
    };
    const QStringList expected = {
        QStringLiteral("ttyS0") + QString(18, u' '),
        QStringLiteral("ttyUSB0") + QString(13, u' ') + QStringLiteral("VCP"),
        QStringLiteral("rfcomm10") + QString(12, u' ') + QStringLiteral("BTH"),
    };
    EXPECT_EQ(portListItems(ports, false), expected);
}

TEST(PortListItems, NamedColumnIsAtLeastFiveWide)
{
    const std::vector<PortInfo> ports = {{QStringLiteral("pt1"), QStringLiteral("VCP"), false}};
    EXPECT_EQ(portListItems(ports, false), QStringList{QStringLiteral("pt1              VCP")});
    EXPECT_TRUE(portListItems({}, false).isEmpty());
}

// ---- extra ports --------------------------------------------------------

TEST(ExtraPorts, PathAndTypePairs)
{
    const std::vector<PortInfo> ports =
        parseExtraPorts(QStringLiteral("/dev/pts/3:vcp; /dev/pts/4 : BTH ;;/dev/ttyACM0"));
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].name, QStringLiteral("/dev/pts/3"));
    EXPECT_EQ(ports[0].type, QStringLiteral("VCP"));
    EXPECT_EQ(ports[1].name, QStringLiteral("/dev/pts/4"));
    EXPECT_EQ(ports[1].type, QStringLiteral("BTH"));
    EXPECT_EQ(ports[2].name, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(ports[2].type, QStringLiteral("VCP")); // without a type a port counts as a USB port
    for (const PortInfo& p : ports) EXPECT_FALSE(p.firstOnboard);
}

TEST(ExtraPorts, EmptyEntriesAreSkipped)
{
    EXPECT_TRUE(parseExtraPorts(QString()).empty());
    EXPECT_TRUE(parseExtraPorts(QStringLiteral(";;")).empty());
    EXPECT_TRUE(parseExtraPorts(QStringLiteral(" ; ")).empty());
    EXPECT_TRUE(parseExtraPorts(QStringLiteral("  :VCP")).empty());
}

} // namespace
