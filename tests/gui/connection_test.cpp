// Connecting to a gauge over a fake link: presence test, identification,
// switch-off, open failures, lost links and unplugged ports.

#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include "platform/PictureBox.h"
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace kivo;

namespace {

class Connection : public WindowFixture {};

void pressEscapeSoon(int ms)
{
    QTimer::singleShot(ms, [] {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target ? static_cast<QObject*>(target) : qApp, &press);
    });
}

} // namespace

TEST_F(Connection, CableGaugeAnswersAndIsIdentified)
{
    start(QStringLiteral("RKS"));
    answerIdentification("RK-SIVAR 2.1\r\nVD: 1.07\r\nM1:25\r\n");
    connectTo(QStringLiteral("ttyUSB0          VCP"));

    EXPECT_EQ(link->openedPort, u"ttyUSB0");
    // presence test, identification, then the memory is read
    EXPECT_EQ(link->written, QByteArray("$kivo00$\r\n$kivo00$\r\n$kivo00$\r\n$kivo10$\r\n"));
    EXPECT_TRUE(window->link.CheckConnect);
    EXPECT_EQ(window->txtWait->text(), u"Verbunden");
    EXPECT_EQ(window->Frame2->title(), u"Com-Port(ttyUSB0)");
    EXPECT_TRUE(window->cmdConnect->isHidden());
    EXPECT_TRUE(window->ComboPort->isHidden());
    EXPECT_FALSE(window->picUsb->isHidden());
    EXPECT_TRUE(window->picBth->isHidden());
    EXPECT_TRUE(window->cmdOpen->isEnabled());
    EXPECT_EQ(window->identity.geraet, u"RKS");
    EXPECT_EQ(window->device.geraetesoftware, u"1.07");
    EXPECT_EQ(window->device.anzahl1, 25);
    EXPECT_EQ(settingsFile(QStringLiteral("Port.ini")), u"ttyUSB0\r\n");
    EXPECT_EQ(settingsFile(QStringLiteral("Limit.ini")), u"");
    EXPECT_TRUE(dialogs.texts.isEmpty());
}

TEST_F(Connection, TwoMemoryGaugesRefineTheLayout)
{
    start(QStringLiteral("VX"));
    answerIdentification("FN-B\r\nM1:3\r\nM2:4\r\n");
    connectTo(QStringLiteral("rfcomm0  BTH"));
    EXPECT_EQ(window->profile.speicherlayout, u"2N");
    EXPECT_EQ(window->device.anzahl1, 3);
    EXPECT_EQ(window->device.anzahl2, 4);
    EXPECT_FALSE(window->picBth->isHidden());
}

TEST_F(Connection, SilentCableGaugeIsNotConnectedAfterFourWholeSeconds)
{
    start(QStringLiteral("RKM"));
    connectTo(QStringLiteral("ttyUSB1"));
    EXPECT_FALSE(window->link.CheckConnect);
    EXPECT_EQ(window->txtWait->text(), u"Nicht Verbunden");
    EXPECT_FALSE(window->cmdConnect->isHidden());
    EXPECT_EQ(window->cmdConnect->text(), u"Verbinden");
    EXPECT_TRUE(window->txtSpeicher->isHidden());
    EXPECT_EQ(link->written, QByteArray("$kivo00$\r\n")); // no identification without an answer

    // Switched on now: the next Connect tries again instead of giving up.
    answerIdentification("RK-MENO\r\nM1:0\r\n");
    connectTo(QStringLiteral("ttyUSB1"));
    EXPECT_TRUE(window->link.CheckConnect);
}

TEST_F(Connection, BluetoothGaugeHasNoPresenceTestAndEscapeEndsTheWait)
{
    start(QStringLiteral("RKT"));
    pressEscapeSoon(300); // ends the identification at Connect
    pressEscapeSoon(700); // and the one before the memory is read
    connectTo(QStringLiteral("rfcomm0"));
    EXPECT_EQ(link->written, QByteArray("$kivo00$\r\n$kivo00$\r\n")); // no presence test
    EXPECT_TRUE(window->link.CheckConnect);
    EXPECT_EQ(window->txtWait->text(), u"Verbunden");
    EXPECT_FALSE(window->waiting());
}

TEST_F(Connection, SwitchOffDuringIdentificationMeansDeviceNotAvailable)
{
    start(QStringLiteral("RKS"));
    int asked = 0;
    link->onWrite = [&](const QByteArray&) {
        // Answers the presence test, then switches itself off.
        const QByteArray answer = ++asked == 1 ? QByteArray("RK-SIVAR\r\n\x04") : QByteArray("RK-SI\x19");
        QTimer::singleShot(5, link, [this, answer] { link->receive(answer); });
    };
    connectTo(QStringLiteral("ttyUSB0"));
    EXPECT_EQ(window->txtWait->text(), u"Gerät nicht verfügbar !");
    EXPECT_FALSE(window->link.CheckConnect);
    EXPECT_FALSE(window->link.abgeschaltet);
    EXPECT_FALSE(window->cmdConnect->isHidden());
    EXPECT_TRUE(window->ComboPort->isVisibleTo(window.get()));
}

TEST_F(Connection, MissingPortIsRetriedOnceAndShownAsNotAvailable)
{
    start(QStringLiteral("RKS"));
    link->openResult = OpenResult::NotFound;
    link->failureReason = QStringLiteral("No such file or directory");
    connectTo(QStringLiteral("ttyUSB9"));
    EXPECT_EQ(window->txtWait->text(), u"Gerät nicht verfügbar !");
    EXPECT_TRUE(dialogs.texts.isEmpty());
    EXPECT_TRUE(logText().contains(QStringLiteral("Gerät nicht verfügbar ! ttyUSB9")));
}

TEST_F(Connection, ForbiddenPortSaysWhyAndIsLogged)
{
    start(QStringLiteral("RKS"));
    window->English_Click();
    link->openResult = OpenResult::PermissionDenied;
    connectTo(QStringLiteral("ttyUSB0"));
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_TRUE(dialogs.texts[0].startsWith(QStringLiteral("Device is not available !")));
    EXPECT_TRUE(dialogs.texts[0].contains(QStringLiteral("dialout")));
    EXPECT_EQ(window->txtWait->text(), u"Device is not available !");
    EXPECT_TRUE(logText().contains(QStringLiteral("dialout")));
}

TEST_F(Connection, LostLinkIsReopenedWithoutRetry)
{
    start(QStringLiteral("RKS"));
    answerIdentification("RK-SIVAR\r\n");
    connectTo(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(window->link.CheckConnect);
    link->fail();
    // The port could be opened again: still connected.
    EXPECT_TRUE(link->isOpen());
    EXPECT_TRUE(window->link.CheckConnect);

    link->openResult = OpenResult::NotFound;
    link->fail();
    EXPECT_FALSE(link->isOpen());
    EXPECT_EQ(window->txtWait->text(), u"Gerät nicht verfügbar !");
    EXPECT_EQ(window->Frame2->title(), u"Com-Port");
}

TEST_F(Connection, UnpluggingTheSelectedPortIsReported)
{
    start(QStringLiteral("RKS"));
    window->ComboPort->setEditText(QStringLiteral("ttyUSB0          VCP"));
    window->SCom1_PortChange(kPortUnplugged, QStringLiteral("ttyUSB3"));
    EXPECT_TRUE(dialogs.texts.isEmpty());
    window->SCom1_PortChange(kPortPluggedIn, QStringLiteral("ttyUSB0"));
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.texts[0], u"Verbindungsabbruch wegen ttyUSB0 plugged in\r\n");
    EXPECT_EQ(window->cmdConnect->text(), u"Verbinden");
    EXPECT_FALSE(window->cmdLesen->isEnabled());
}
