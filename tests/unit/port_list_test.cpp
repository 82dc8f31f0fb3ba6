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
    {"COM1", "Standard", false}, {"COM3", "BTH Serial", false}, {"COM4", "VCP", false},
    {"COM7", "bthenum", false},  {"COM12", "vcp FTDI", false},  {"COM20", "Modem", false},
};

TEST(SuitablePorts, ByTheModelsLinkCode)
{
    // Bluetooth ports for a Bluetooth gauge; USB ports and the first built-in
    // port for a cable gauge; the code without its blanks; else nothing.
    EXPECT_EQ(names(suitablePorts(kWindowsPorts, " B ")), QStringList({"COM3", "COM7"}));
    EXPECT_EQ(names(suitablePorts(kWindowsPorts, "K ")), QStringList({"COM1", "COM4", "COM12"}));
    for (const char* link : {"", "X", "b", "k"}) EXPECT_TRUE(suitablePorts(kWindowsPorts, link).empty()) << link;
}

TEST(SuitablePorts, FirstOnBoardPortOnANamedSystem)
{
    const std::vector<PortInfo> ports = {
        {"ttyS1", "", false}, {"ttyS0", "", true}, {"rfcomm0", "BTH", false}, {"ttyUSB0", "VCP", false}};
    EXPECT_EQ(names(suitablePorts(ports, "K")), QStringList({"ttyS0", "ttyUSB0"}));
    EXPECT_EQ(names(suitablePorts(ports, "B")), QStringList{"rfcomm0"});
}

// ---- item texts ---------------------------------------------------------

TEST(PortListItems, NumberedPortsInFiveColumnsThenTheType)
{
    const std::vector<PortInfo> ports = {
        {"COM3", "BTHENUM", false}, {"COM12", "VCP", false}, {"COM1", "", true},
        {"COM5", "VCP FTDI USB Serial Port", false}, // the type is never cut
    };
    EXPECT_EQ(portListItems(ports, true), QStringList({"COM3         BTHENUM", "COM12            VCP",
                                                       "COM1                ", "COM5 VCP FTDI USB Serial Port"}));
}

TEST(PortListItems, NamedPortsAsWideAsTheLongestNameAndAtLeastFive)
{
    const std::vector<PortInfo> ports = {{"ttyS0", "", true}, {"ttyUSB0", "VCP", false}, {"rfcomm10", "BTH", false}};
    EXPECT_EQ(portListItems(ports, false),
              QStringList({"ttyS0" + QString(18, u' '), "ttyUSB0" + QString(13, u' ') + "VCP",
                           "rfcomm10" + QString(12, u' ') + "BTH"}));
    EXPECT_EQ(portListItems({{"pt1", "VCP", false}}, false), QStringList{"pt1              VCP"});
    EXPECT_TRUE(portListItems({}, false).isEmpty());
}

// ---- extra ports --------------------------------------------------------

TEST(ExtraPorts, PathAndTypePairs)
{
    const std::vector<PortInfo> ports = parseExtraPorts("/dev/pts/3:vcp; /dev/pts/4 : BTH ;;/dev/ttyACM0; ;  :VCP");
    // Without a type a port counts as a USB port.
    QStringList read;
    for (const PortInfo& p : ports) read << p.name + ':' + p.type + (p.firstOnboard ? " first" : "");
    EXPECT_EQ(read, QStringList({"/dev/pts/3:VCP", "/dev/pts/4:BTH", "/dev/ttyACM0:VCP"}));
    EXPECT_TRUE(parseExtraPorts(QString()).empty());
}

} // namespace

TEST(PortDescription, KindThenWhatTheSystemKnows)
{
    PortInfo usb{"ttyUSB0", "VCP"};
    usb.manufacturer = "FTDI";
    usb.description = "FT232R USB UART";
    usb.serialNumber = " A10K3 ";
    EXPECT_EQ(portDescription(usb, true), u"ttyUSB0: USB-Schnittstelle, FTDI, FT232R USB UART, Seriennummer A10K3");
    EXPECT_EQ(portDescription(usb, false), u"ttyUSB0: USB serial port, FTDI, FT232R USB UART, serial number A10K3");
    PortInfo bluetooth{"COM7", "BTHENUM"};
    bluetooth.description = "Standard Serial over Bluetooth link";
    EXPECT_EQ(portDescription(bluetooth, false), u"COM7: Bluetooth serial port, Standard Serial over Bluetooth link");
    EXPECT_EQ(portDescription({"COM1", "Standard", true}, true), u"COM1: Serielle Schnittstelle");
}
