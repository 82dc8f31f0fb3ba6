// What the program remembers between starts: the recent files, where a
// window comes back, and what the About box says.

#include "session/AboutText.h"
#include "settings/DesktopMemory.h"
#include "settings/RecentFiles.h"
#include "settings/SettingsFiles.h"
#include "settings/WindowPlace.h"
#include "table/LoadMeasurementFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(RecentFiles, NewestFirstNoDoublesAtMostFive)
{
    QStringList list;
    for (int i = 1; i <= 7; ++i) list = withRecentFile(list, u"/m/f%1.mes"_s.arg(i));
    EXPECT_EQ(list, (QStringList{u"/m/f7.mes"_s, u"/m/f6.mes"_s, u"/m/f5.mes"_s, u"/m/f4.mes"_s, u"/m/f3.mes"_s}));
    // Opened again, a file moves to the top instead of standing twice; the
    // same file by another spelling of its path is the same file.
    list = withRecentFile(list, u"/m/sub/../f4.mes"_s);
    EXPECT_EQ(list, (QStringList{u"/m/f4.mes"_s, u"/m/f7.mes"_s, u"/m/f6.mes"_s, u"/m/f5.mes"_s, u"/m/f3.mes"_s}));
    EXPECT_EQ(withRecentFile(list, QString()), list);
    EXPECT_EQ(withoutRecentFile(list, u"/m/f6.mes"_s).size(), 4);
    // A relative path is kept absolute: the list must not depend on the
    // folder the program was started in.
    EXPECT_TRUE(QDir::isAbsolutePath(withRecentFile({}, u"here.mes"_s).constFirst()));
    // What comes back from the settings file is cleaned: empty entries,
    // doubles and more than five are gone, the order kept.
    EXPECT_EQ(cleanRecentFiles({u""_s, u"/a.mes"_s, u" "_s, u"/b.mes"_s, u"/a.mes"_s, u"/c.mes"_s, u"/d.mes"_s,
                                u"/e.mes"_s, u"/f.mes"_s}),
              (QStringList{u"/a.mes"_s, u"/b.mes"_s, u"/c.mes"_s, u"/d.mes"_s, u"/e.mes"_s}));
}

TEST(RecentFiles, CaptionNumbersTheEntryAndShowsAmpersands)
{
    const QString caption = recentFileCaption(0, u"/data/R&D/coat & paint.mes"_s);
    EXPECT_TRUE(caption.startsWith(u"&1 coat && paint.mes  ("_s)) << caption.toStdString();
    EXPECT_TRUE(caption.endsWith(QDir::toNativeSeparators(u"/data/R&&D"_s) + u')')) << caption.toStdString();
    EXPECT_TRUE(recentFileCaption(4, u"/x.mes"_s).startsWith(u"&5 x.mes"_s));
}

TEST(RecentFiles, KeptForTheNextStartInTheUsersConfigurationFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    {
        DesktopMemory memory;
        memory.rememberFile(u"/m/one.mes"_s);
        memory.rememberFile(u"/m/two.mes"_s);
        memory.saveWindow(u"frmTransfer"_s, {QRect(10, 20, 900, 700), true});
    }
    DesktopMemory again;
    EXPECT_EQ(again.recentFiles(), (QStringList{u"/m/two.mes"_s, u"/m/one.mes"_s}));
    EXPECT_EQ(again.forgetFile(u"/m/two.mes"_s), QStringList{u"/m/one.mes"_s});
    EXPECT_EQ(again.window(u"frmTransfer"_s).frame, QRect(10, 20, 900, 700));
    EXPECT_TRUE(again.window(u"frmTransfer"_s).maximized);
    EXPECT_FALSE(again.window(u"frmChartG"_s).frame.isValid());
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(u"Brenvor/kivo-transfer.conf"_s)));
}

TEST(WindowPlace, RestoredOnlyWhereItsTitleBarCanBeTaken)
{
    const QList<QRect> one{QRect(0, 0, 1920, 1040)};
    const QList<QRect> two{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
    // On a screen: as it was.
    EXPECT_EQ(placeToRestore(QRect(100, 80, 1120, 720), one), QRect(100, 80, 1120, 720));
    // On the second monitor while it is there; off every screen once it is
    // unplugged, so the system places the window.
    EXPECT_EQ(placeToRestore(QRect(2100, 50, 1000, 700), two), QRect(2100, 50, 1000, 700));
    EXPECT_EQ(placeToRestore(QRect(2100, 50, 1000, 700), one), std::nullopt);
    // Far away, above the screen or with only a sliver of its title on it.
    EXPECT_EQ(placeToRestore(QRect(-5000, -5000, 800, 600), one), std::nullopt);
    EXPECT_EQ(placeToRestore(QRect(200, -400, 800, 600), one), std::nullopt);
    EXPECT_EQ(placeToRestore(QRect(1900, 100, 800, 600), one), std::nullopt);
    // Half over the edge: moved in whole; larger than the screen: shrunk to it.
    EXPECT_EQ(placeToRestore(QRect(1500, 500, 800, 600), one), QRect(1120, 440, 800, 600));
    EXPECT_EQ(placeToRestore(QRect(-100, 0, 800, 600), one), QRect(0, 0, 800, 600));
    EXPECT_EQ(placeToRestore(QRect(0, 0, 2560, 1400), one), QRect(0, 0, 1920, 1040));
    // A window that spans two screens lands on the one holding most of its title.
    EXPECT_EQ(placeToRestore(QRect(1700, 100, 1000, 600), two), QRect(1920, 100, 1000, 600));
    // Nothing kept yet, or a frame smaller than the window can be.
    EXPECT_EQ(placeToRestore(QRect(), one), std::nullopt);
    EXPECT_EQ(placeToRestore(QRect(10, 10, 300, 200), one, QSize(640, 480)), std::nullopt);
    EXPECT_EQ(placeToRestore(QRect(10, 10, 800, 600), {}), std::nullopt);
}

TEST(AboutText, NamesTheVersionsAndEveryLibrarysLicence)
{
    const AboutFacts facts{u"RK-SIVAR TRANSFER V3.02"_s, u"3.02"_s, u"6.4.2"_s, u"6.4.3"_s, u"1.1.5"_s, u"1.2.13"_s,
                           u"/usr/share/doc/kivo-ridivori/copyright"_s};
    const QString english = aboutText(facts, false);
    for (const QString& part : {u"RK-SIVAR TRANSFER V3.02"_s, u"Version 3.02"_s, u"Built with Qt 6.4.2, running with Qt 6.4.3."_s,
                                u"Qt 6.4.3 – GNU Lesser General Public License 3"_s,
                                u"Qt Charts 6.4.3 – GNU General Public License 3"_s, u"libxlsxwriter 1.1.5 – BSD 2-Clause"_s,
                                u"minizip (zlib 1.2.13) – zlib License"_s,
                                u"The licence texts: /usr/share/doc/kivo-ridivori/copyright"_s})
        EXPECT_TRUE(english.contains(part)) << part.toStdString() << "\n" << english.toStdString();
    const QString german = aboutText(facts, true);
    EXPECT_TRUE(german.contains(u"Erstellt mit Qt 6.4.2, läuft mit Qt 6.4.3."_s));
    EXPECT_TRUE(german.contains(u"Alle Rechte vorbehalten"_s));
    // Where the licence texts are not known, the line is left out.
    EXPECT_FALSE(aboutText({}, true).contains(u"Lizenztexte"_s));
    // The facts of this build: every version is filled in.
    const AboutFacts built = aboutFacts(u"T"_s, {});
    for (const QString& version : {built.version, built.builtWithQt, built.runningQt, built.xlsxwriter, built.zlib})
        EXPECT_FALSE(version.isEmpty());
}

TEST(MeasurementFileName, EndsInMesInAnyCase)
{
    EXPECT_TRUE(isMeasurementFileName(u"/a/Online.mes"_s));
    EXPECT_TRUE(isMeasurementFileName(u"C:\\DATA\\KOAT.MES"_s));
    EXPECT_FALSE(isMeasurementFileName(u"/a/report.pdf"_s));
    EXPECT_FALSE(isMeasurementFileName(u"/a/mes"_s));
    EXPECT_FALSE(isMeasurementFileName(u"/a/x.mes.txt"_s));
}

} // namespace

namespace {

// The package unpacked into a folder rather than installed: the program
// folder's link to /etc leads nowhere, and the unpacked etc/ is meant.
TEST(KonfiPath, TheProgramFoldersOwnOrTheUnpackedPackagesEtc)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(u"usr/lib/kivo-ridivori"_s) && dir.mkpath(u"etc/kivo-ridivori"_s));
    const QString program = dir.filePath(u"usr/lib/kivo-ridivori"_s);
    const QString own = program + u"/Konfi.ini"_s;
    // Nothing there: the program folder's, which the start then says it cannot read.
    EXPECT_EQ(konfiPath(program), own);
    QFile etc(dir.filePath(u"etc/kivo-ridivori/Konfi.ini"_s));
    ASSERT_TRUE(etc.open(QIODevice::WriteOnly));
    etc.close();
    // Without the package's link, an etc/ beside is none of the program's business.
    EXPECT_EQ(konfiPath(program), own);
    ASSERT_TRUE(QFile::link(u"/nonexistent-kivo/etc/kivo-ridivori/Konfi.ini"_s, own));
    EXPECT_EQ(konfiPath(program), QDir::cleanPath(etc.fileName()));
    ASSERT_TRUE(QFile::remove(own));
    ASSERT_TRUE(QFile::link(etc.fileName(), own));
    EXPECT_EQ(konfiPath(program), own);
}

} // namespace
