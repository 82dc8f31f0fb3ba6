// The habits of a desktop program: a measurement file opened without a
// gauge (File menu, command line, dropped), the recent files, Save and
// Print in the menu as their buttons are, the window's place kept, and the
// About box.

#include "ui/frmTransfer.h"
#include "platform/FakeSerialLink.h"
#include "settings/TextFile.h"
#include "settings/WindowPlace.h"
#include "platform/SingleInstance.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace kivo;
using namespace Qt::Literals::StringLiterals;

namespace {

class ChoosingDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon, const QString& caption) override
    {
        texts << text;
        captions << caption;
        return defaultAnswer(buttons);
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return chosen; }
    QStringList texts;
    QStringList captions;
    QString chosen;
};

QStringList measurementFile(int readings)
{
    QStringList lines{u"Memory"_s, u""_s, u"09.12.2026       No.      Value"_s, u""_s};
    for (int i = 1; i <= readings; ++i)
        lines << u"01:03:18"_s + QString::number(i).rightJustified(11) + QString::number(40.0 + i, 'f', 1).rightJustified(12)
                     + u" µm   "_s;
    return lines;
}

class DesktopHabits : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        const QDir dir(folder.path());
        dir.mkpath(u"program"_s);
        qputenv("XDG_CONFIG_HOME", dir.filePath(u"config"_s).toUtf8());
        qputenv("XDG_DATA_HOME", dir.filePath(u"data"_s).toUtf8());
        ASSERT_TRUE(writeTextLines(dir.filePath(u"program/Konfi.ini"_s), {u"RKS"_s}));
        ASSERT_TRUE(writeTextLines(path(u"coat.mes"_s), measurementFile(12)));
        ASSERT_TRUE(writeTextLines(path(u"other.mes"_s), measurementFile(3)));
    }

    std::unique_ptr<frmTransfer> start()
    {
        Platform platform;
        platform.dialogs = &dialogs;
        platform.singleInstance = false;
        platform.makeSerialLink = [] { return std::make_unique<FakeSerialLink>(); };
        auto window = std::make_unique<frmTransfer>(platform, QDir(folder.path()).filePath(u"program"_s));
        EXPECT_TRUE(window->Form_Load());
        return window;
    }

    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    template <typename T>
    static T* child(const frmTransfer& window, const QString& name)
    {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    static QStringList recentCaptions(const frmTransfer& window)
    {
        QStringList captions;
        for (const QAction* item : child<QAction>(window, u"mnuRecent"_s)->menu()->actions())
            if (item->isEnabled()) captions << item->text();
        return captions;
    }

    QTemporaryDir folder;
    ChoosingDialogs dialogs;
};

TEST_F(DesktopHabits, AFileOpensBeforeAnyGaugeAndJoinsTheRecentFiles)
{
    auto window = start();
    auto* mnuOpen = child<QAction>(*window, u"mnuOpen"_s);
    // The gauge's commands are off until it is connected; File → Open is not.
    EXPECT_FALSE(child<QPushButton>(*window, u"cmdOpen"_s)->isEnabled());
    EXPECT_TRUE(mnuOpen->isEnabled());
    EXPECT_EQ(mnuOpen->shortcut(), QKeySequence(u"Ctrl+O"_s));
    EXPECT_TRUE(recentCaptions(*window).isEmpty());

    dialogs.chosen = path(u"coat.mes"_s);
    mnuOpen->trigger();
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join(u'\n').toStdString();
    EXPECT_EQ(window->session().tables().count(kFE), 12);
    EXPECT_EQ(child<QRadioButton>(*window, u"optFE"_s)->text(), u"coat.mes (12)"_s);
    // Printing follows its button, whichever state that is in.
    auto* cmdprint = child<QPushButton>(*window, u"cmdprint"_s);
    EXPECT_EQ(child<QAction>(*window, u"mnuPrint"_s)->isEnabled(), cmdprint->isEnabled() && !cmdprint->isHidden());

    // The command line and a drop take the same way in.
    window->openGivenFile(path(u"other.mes"_s));
    EXPECT_EQ(window->session().tables().count(kFE), 3);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path(u"coat.mes"_s))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(window->session().tables().count(kFE), 12);
    const QStringList recent = recentCaptions(*window);
    ASSERT_EQ(recent.size(), 2);
    EXPECT_TRUE(recent[0].startsWith(u"&1 coat.mes"_s)) << recent[0].toStdString();
    EXPECT_TRUE(recent[1].startsWith(u"&2 other.mes"_s)) << recent[1].toStdString();

    // Anything but a measurement file is refused with a word, the table kept.
    window->openGivenFile(path(u"program/Konfi.ini"_s));
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_TRUE(dialogs.texts[0].contains(u"keine Messdatei"_s)) << dialogs.texts[0].toStdString();
    EXPECT_EQ(window->session().tables().count(kFE), 12);
    // A file not there is said in the operator's language.
    window->openGivenFile(path(u"gone.mes"_s));
    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_TRUE(dialogs.texts[1].contains(u"Datei oder Verzeichnis nicht gefunden"_s)) << dialogs.texts[1].toStdString();
    dialogs.texts.removeLast();
    window->cmdEnde_Click();

    // The next start offers them again; one deleted meanwhile is said and
    // taken off the list.
    ASSERT_TRUE(QFile::remove(path(u"other.mes"_s)));
    auto again = start();
    ASSERT_EQ(recentCaptions(*again).size(), 2);
    child<QAction>(*again, u"mnuRecent2"_s)->trigger();
    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_TRUE(dialogs.texts[1].contains(u"gibt es nicht mehr"_s)) << dialogs.texts[1].toStdString();
    EXPECT_EQ(recentCaptions(*again).size(), 1);
    child<QAction>(*again, u"mnuRecent1"_s)->trigger();
    EXPECT_EQ(again->session().tables().count(kFE), 12);
    again->cmdEnde_Click();
}

TEST_F(DesktopHabits, ANameIsShownAsItIsAndARecentPathNowAFolderIsSaidSo)
{
    auto window = start();
    const QString odd = path(u"R&D coat.mes"_s);
    ASSERT_TRUE(QFile::copy(path(u"coat.mes"_s), odd));
    window->openGivenFile(odd);
    // Doubled, the ampersand shows as itself instead of marking a key.
    EXPECT_EQ(child<QRadioButton>(*window, u"optFE"_s)->text(), u"R&&D coat.mes (12)"_s);
    ASSERT_TRUE(QFile::remove(odd) && QDir().mkdir(odd));
    child<QAction>(*window, u"mnuRecent1"_s)->trigger();
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_FALSE(dialogs.texts[0].contains(u"gibt es nicht mehr"_s)) << dialogs.texts[0].toStdString();
    EXPECT_TRUE(dialogs.texts[0].contains(QDir::toNativeSeparators(odd))) << dialogs.texts[0].toStdString();
    EXPECT_EQ(window->session().tables().count(kFE), 12);
    window->cmdEnde_Click();
}

TEST_F(DesktopHabits, SaveAndPrintAreTheirButtonsInTheMenu)
{
    auto window = start();
    auto* cmdSave = child<QPushButton>(*window, u"cmdSave"_s);
    auto* mnuSave = child<QAction>(*window, u"mnuSave"_s);
    EXPECT_EQ(mnuSave->shortcut(), QKeySequence(u"Ctrl+S"_s));
    EXPECT_EQ(child<QAction>(*window, u"mnuPrint"_s)->shortcut(), QKeySequence(u"Ctrl+P"_s));
    EXPECT_EQ(child<QAction>(*window, u"mnuCsv"_s)->shortcut(), QKeySequence(u"Ctrl+E"_s));
    for (const bool enabled : {true, false, true}) {
        cmdSave->setEnabled(enabled);
        EXPECT_EQ(mnuSave->isEnabled(), enabled);
    }
    cmdSave->setVisible(false);
    EXPECT_FALSE(mnuSave->isEnabled());
    cmdSave->setVisible(true);
    EXPECT_TRUE(mnuSave->isEnabled());
    window->cmdEnde_Click();
}

TEST_F(DesktopHabits, TheWindowComesBackWhereItWasUnlessThatIsOffEveryScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto window = start();
    window->show();
    window->move(screen.topLeft() + QPoint(7, 9));
    const QRect kept = window->geometry();
    window->cmdEnde_Click();
    EXPECT_EQ(window->session().desktop().window(u"frmTransfer"_s).frame, kept);

    // Given back as the screen allows (the test's screen is smaller than
    // the window, which then shrinks to it and moves in).
    auto again = start();
    const std::optional<QRect> place = placeToRestore(kept, {screen}, again->minimumSizeHint());
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(again->geometry(), place->united(QRect(place->topLeft(), again->minimumSize())));
    again->show();
    again->move(screen.right() + 4000, screen.bottom() + 4000);
    again->cmdEnde_Click();

    // Kept far off the screen (a monitor unplugged): the window opens where
    // it would have opened the first time.
    auto third = start();
    EXPECT_TRUE(screen.intersects(third->geometry())) << third->geometry().x() << "," << third->geometry().y();
    third->cmdEnde_Click();
}

TEST_F(DesktopHabits, TheAboutBoxNamesTheVersionsAndLicences)
{
    auto window = start();
    child<QAction>(*window, u"mnuAbout"_s)->trigger();
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.captions[0], u"Über Kivo RIDIVORI"_s);
    EXPECT_TRUE(dialogs.texts[0].contains(u"läuft mit Qt "_s + QString::fromLatin1(qVersion())));
    for (const QString& library : {u"LGPL"_s, u"libxlsxwriter"_s, u"minizip"_s})
        EXPECT_TRUE(dialogs.texts[0].contains(library)) << library.toStdString();
    window->cmdEnde_Click();
}

} // namespace

namespace {

// A second copy started with a file hands it to the copy that runs; the
// hand-overs come in the order they were made, and only the copy holding
// the lock takes them.
TEST(SingleCopy, ASecondCopyHandsItsFileToTheFirst)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    const auto restore = qScopeGuard([&before] { qputenv("XDG_RUNTIME_DIR", before); });
    const QString key = u"/opt/kivo|"_s + runtime.path();
    SingleInstance running(key);
    ASSERT_TRUE(running.acquire());
    QSignalSpy taken(&running, &SingleInstance::fileHandedOver);

    SingleInstance second(key);
    EXPECT_FALSE(second.acquire());
    ASSERT_TRUE(second.handOver(u"/data/first.mes"_s));
    ASSERT_TRUE(second.handOver(u"/data/sec ond & more.mes"_s));
    // Events handled by hand: a window test before may have ended the
    // application's loop, which a spy's own wait would then leave at once.
    QElapsedTimer waited;
    waited.start();
    while (taken.size() < 2 && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken[0][0].toString(), u"/data/first.mes"_s);
    EXPECT_EQ(taken[1][0].toString(), u"/data/sec ond & more.mes"_s);

    // Another installation's copy is not this one.
    SingleInstance other(u"/elsewhere|"_s + runtime.path());
    EXPECT_TRUE(other.acquire());
}

} // namespace
