// Connecting to a gauge over a fake link: what the window takes from the
// identification, a gauge switched on after a failed Connect, a switch-off
// after the presence test, open failures, lost links and ports plugged in.
// The paths through the gauge simulator are the end-to-end tests'.

#include "ui/frmTransfer.h"
#include "platform/FakeSerialLink.h"
#include "ui/FlexGrid.h"
#include "ui/PictureBox.h"
#include "settings/TextFile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kivo;
using namespace Qt::Literals::StringLiterals;

namespace {

// Message boxes are recorded instead of shown.
class RecordingDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon, const QString&) override
    {
        texts << text;
        return defaultAnswer(buttons);
    }
    QStringList texts;
};

// A main window on a fake serial link, with its own program and settings
// folders.
class Connection : public ::testing::Test {
protected:
    // Starts the program for `model` (the first line of Konfi.ini).
    void start(const QString& model)
    {
        ASSERT_TRUE(folder.isValid());
        const QDir dir(folder.path());
        dir.mkpath("program");
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        ASSERT_TRUE(writeTextLines(dir.filePath("program/Konfi.ini"), {model}));
        Platform platform;
        platform.dialogs = &dialogs;
        platform.singleInstance = false;
        platform.makeSerialLink = [this] {
            auto fake = std::make_unique<FakeSerialLink>();
            link = fake.get();
            return fake;
        };
        window = std::make_unique<frmTransfer>(platform, dir.filePath("program"));
        ASSERT_TRUE(window->Form_Load());
    }

    // The gauge answers the identification with `reply` and EOT a moment
    // later, as over a real wire; its memories are empty.
    void answerIdentification(const QByteArray& reply)
    {
        link->onWrite = [this, reply](const QByteArray& bytes) {
            const QByteArray answer = bytes == "$kivo00$\r\n" ? reply + '\x04' : QByteArray("header\r\n\x02\r\n\x04");
            QTimer::singleShot(5, link, [this, answer] { link->receive(answer); });
        };
    }

    // A control of the window, found by its name as the driver finds it.
    template <typename W>
    W* control(const char* name) const
    {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void connectTo(const QString& port)
    {
        control<QComboBox>("ComboPort")->setEditText(port);
        window->cmdConnect_Click();
    }

    QString settingsFile(const QString& name) const
    {
        QFile file(window->session().identity().AppDataPath + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : "<missing>";
    }
    QString logText() const { return settingsFile("Brenvor_TransferLog.txt"); }

    QTemporaryDir folder;
    RecordingDialogs dialogs;
    FakeSerialLink* link = nullptr; // owned by the window
    std::unique_ptr<frmTransfer> window;
};

} // namespace

TEST_F(Connection, CableGaugeAnswersAndIsIdentified)
{
    start("RKS");
    answerIdentification("RK-SIVAR 2.1\r\nVD: 1.07\r\nM1:25\r\n");
    connectTo("ttyUSB0          VCP");

    EXPECT_EQ(link->openedPort, u"ttyUSB0");
    // presence test, identification, then the memory is read
    EXPECT_EQ(link->written, QByteArray("$kivo00$\r\n$kivo00$\r\n$kivo00$\r\n$kivo10$\r\n"));
    EXPECT_TRUE(window->deviceLink().CheckConnect());
    EXPECT_TRUE(control<PictureBox>("picBth")->isHidden());
    EXPECT_FALSE(QPixmap(QStringLiteral(":/pictures/usb.png")).isNull()); // the built-in pictures are linked in
    EXPECT_EQ(window->session().identity().geraet, u"RKS");
    EXPECT_EQ(window->deviceLink().device().geraetesoftware, u"1.07");
    EXPECT_EQ(window->deviceLink().device().anzahl1, 25);
    EXPECT_EQ(settingsFile("Port.ini"), u"ttyUSB0\r\n");
    EXPECT_EQ(settingsFile("Limit.ini"), u"");
    // The memory's answer holds none of the 25 readings announced.
    EXPECT_EQ(dialogs.texts, QStringList({QStringLiteral("Das Gerät meldete 25 Messwerte, empfangen wurden nur 0. "
                                                         "Bitte den Speicher erneut lesen.")}));
}

TEST_F(Connection, SilentCableGaugeIsNotConnectedAfterFourWholeSeconds)
{
    start("RKM");
    connectTo("ttyUSB1");
    EXPECT_FALSE(window->deviceLink().CheckConnect());
    EXPECT_EQ(control<QLabel>("txtWait")->text(), u"Nicht Verbunden");
    // Beside it, what to check.
    EXPECT_EQ(control<QLabel>("lblConnectHint")->text(), u"Das Gerät hat nicht geantwortet. Bitte prüfen: Ist es eingeschaltet? "
                                               "Ist der richtige Port gewählt? Steckt das Kabel?");
    EXPECT_FALSE(control<QPushButton>("cmdConnect")->isHidden());
    EXPECT_EQ(control<QPushButton>("cmdConnect")->text(), u"Verbinden");
    EXPECT_TRUE(control<QLineEdit>("txtSpeicher")->isHidden());
    EXPECT_EQ(link->written, QByteArray("$kivo00$\r\n")); // no identification without an answer

    // Switched on now: the next Connect tries again instead of giving up.
    answerIdentification("RK-MENO\r\nM1:0\r\n");
    connectTo("ttyUSB1");
    EXPECT_TRUE(window->deviceLink().CheckConnect());
    EXPECT_EQ(control<QLabel>("lblConnectHint")->text(), QString());
}

TEST_F(Connection, SwitchOffDuringIdentificationMeansDeviceNotAvailable)
{
    start("RKS");
    int asked = 0;
    link->onWrite = [&](const QByteArray&) {
        // Answers the presence test, then switches itself off.
        const QByteArray answer = ++asked == 1 ? QByteArray("RK-SIVAR\r\n\x04") : QByteArray("RK-SI\x19");
        QTimer::singleShot(5, link, [this, answer] { link->receive(answer); });
    };
    connectTo("ttyUSB0");
    EXPECT_EQ(link->written, QByteArray("$kivo00$\r\n$kivo00$\r\n")) << "asked further after switching off";
    EXPECT_EQ(control<QLabel>("txtWait")->text(), u"Gerät nicht verfügbar !");
    EXPECT_FALSE(window->deviceLink().CheckConnect());
    EXPECT_FALSE(window->deviceLink().switchedOff());
    EXPECT_FALSE(control<QPushButton>("cmdConnect")->isHidden());
    EXPECT_TRUE(control<QComboBox>("ComboPort")->isVisibleTo(window.get()));
}

TEST_F(Connection, MissingPortIsRetriedOnceAndShownAsNotAvailable)
{
    start("RKS");
    link->openResult = OpenResult::NotFound;
    link->failureReason = "No such file or directory";
    connectTo("ttyUSB9");
    // The reason stands on the screen, not only in a tooltip.
    EXPECT_EQ(control<QLabel>("txtWait")->text(), u"Gerät nicht verfügbar ! ttyUSB9 ist nicht vorhanden.");
    EXPECT_TRUE(dialogs.texts.isEmpty());
    EXPECT_TRUE(logText().contains("Gerät nicht verfügbar ! ttyUSB9"));
}

TEST_F(Connection, ForbiddenPortSaysWhyAndIsLogged)
{
    start("RKS");
    window->English_Click();
    link->openResult = OpenResult::PermissionDenied;
    connectTo("ttyUSB0");
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_TRUE(dialogs.texts[0].startsWith("Device is not available !"));
    EXPECT_TRUE(dialogs.texts[0].contains("dialout"));
    EXPECT_TRUE(control<QLabel>("txtWait")->text().startsWith(u"Device is not available ! No permission to open ttyUSB0."));
    EXPECT_TRUE(logText().contains("dialout"));
}

TEST_F(Connection, LostLinkIsReopenedWithoutRetry)
{
    start("RKS");
    answerIdentification("RK-SIVAR\r\n");
    connectTo("ttyUSB0");
    ASSERT_TRUE(window->deviceLink().CheckConnect());
    link->fail();
    // The port could be opened again: still connected.
    EXPECT_TRUE(link->isOpen());
    EXPECT_TRUE(window->deviceLink().CheckConnect());

    link->openResult = OpenResult::NotFound;
    link->fail();
    EXPECT_FALSE(link->isOpen());
    EXPECT_EQ(control<QLabel>("txtWait")->text(), u"Gerät nicht verfügbar ! ttyUSB0 ist nicht vorhanden.");
    EXPECT_EQ(control<QGroupBox>("Frame2")->title(), u"Com-Port");
}

TEST_F(Connection, UnpluggingTheSelectedPortIsReported)
{
    start("RKS");
    control<QComboBox>("ComboPort")->setEditText("ttyUSB0          VCP");
    window->SCom1_PortChange(kPortUnplugged, "ttyUSB3");
    EXPECT_TRUE(dialogs.texts.isEmpty());
    window->SCom1_PortChange(kPortPluggedIn, "ttyUSB0");
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.texts[0], u"Verbindungsabbruch wegen ttyUSB0 plugged in\r\n");
    EXPECT_EQ(control<QPushButton>("cmdConnect")->text(), u"Verbinden");
    EXPECT_FALSE(control<QPushButton>("cmdLesen")->isEnabled());
}

// Online records are saved once the port's handler is done. A save still to
// come when the operator turns to another table or ends the program is made
// first, so Online.mes never lacks a reading the table showed.
TEST_F(Connection, OnlineReadingsAreSavedBeforeTheirTableGoes)
{
    start("ZR");
    answerIdentification("ZR-1 ZORMA-PROBA\r\nVD: 3.41\r\nM1:0\r\n");
    connectTo("ttyUSB0");
    ASSERT_TRUE(window->deviceLink().CheckConnect());
    window->optOnline_Click();
    const QString onlineMes = window->session().identity().MessDataPath + u"/Online.mes"_s;
    const auto savedRows = [&] {
        QFile file(onlineMes);
        return file.open(QIODevice::ReadOnly) ? file.readAll().count("Fe\r\n") : -1;
    };

    link->receive("   1       126.3 ym    Fe\r\n   2       127.3 ym    Fe\r\n");
    EXPECT_EQ(control<FlexGrid>("MSFlex")->Rows(), 3);
    window->optFE_Click();
    EXPECT_EQ(savedRows(), 2);

    window->optOnline_Click();
    link->receive("   3       128.3 ym    Fe\r\n");
    window->cmdEnde_Click();
    EXPECT_EQ(savedRows(), 3);
    QCoreApplication::processEvents(); // the save once planned is not made twice
    EXPECT_EQ(savedRows(), 3);
}
