// The window keeps every inspection in the archive as it happens: a
// download lands in Archiv.sqlite in the data folder; an archive line that
// names no archive is said once in the status bar, and the program works on.

#include "DownloadBench.h"
#include "MeasurementText.h"
#include "archive/Archive.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

TEST(Archive, ADownloadIsKeptInTheDataFoldersArchive)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(result.dumps[0].text(u"lblArchive"_s), QString());
    kivo::ArchiveTarget target;
    target.sqlitePath = QDir(bench.session.messDataPath(kBrand, kSivar)).filePath(u"Archiv.sqlite"_s);
    kivo::Archive archive(target);
    ASSERT_TRUE(archive.isOpen()) << archive.error().toStdString();
    const auto kept = archive.list(QString(), {}, {});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].source, u"memory1"_s);
    EXPECT_EQ(kept[0].model, u"RKS"_s);
    EXPECT_EQ(kept[0].count, bench.grid(result.dumps[0]).size() - 1);
}

// The project data saved before the program started go with the first
// download, though the project window was never opened.
TEST(Archive, TheSavedProjectDataGoWithTheFirstDownload)
{
    DownloadBench bench("RKS", PortType::Cable);
    DriveSession::writeFile(QDir(bench.session.appDataPath(kBrand, kSivar)).filePath(u"Projektdaten.ini"_s),
                            toCp1252(u"Werft Nord\r\nHull 7\r\n\r\n\r\n\r\n\r\nDT 01.12.2026;09:30\r\n"_s));
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    ASSERT_EQ(bench.connect(kUntilIdle + u"dump\n"_s).dumps.size(), 1);
    kivo::ArchiveTarget target;
    target.sqlitePath = QDir(bench.session.messDataPath(kBrand, kSivar)).filePath(u"Archiv.sqlite"_s);
    kivo::Archive archive(target);
    const auto kept = archive.list(QString(), {}, {});
    ASSERT_EQ(kept.size(), 1u);
    const std::optional<kivo::Inspection> in = archive.load(kept[0].id);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->projectFields[0], u"Werft Nord"_s);
    EXPECT_EQ(in->projectFields[1], u"Hull 7"_s);
    EXPECT_EQ(in->projectDate, u"01.12.2026"_s);
}

TEST(Archive, AnArchiveOutOfReachIsSaidOnceAndTheProgramWorksOn)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.session.setEnv(u"KIVO_ARCHIVE"_s, u"postgresql://lab:secret@db/x"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_TRUE(d.text(u"lblArchive"_s).startsWith(u"Archivzeile nicht nutzbar (KIVO_ARCHIVE: no password"_s))
        << d.text(u"lblArchive"_s).toStdString();
    EXPECT_TRUE(messageTexts(d).isEmpty()) << messageTexts(d).join(u'|').toStdString();
    EXPECT_GT(bench.grid(d).size(), 1); // the readings are in the table all the same
}

} // namespace

namespace {

// Ctrl+Shift+O lists the download newest first; Open takes it into the
// table on show, named after the archive; both languages.
TEST(Archive, TheArchiveWindowListsADownloadAndOpensItIntoTheTable)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nanswer Yes\nclick cmdFlexTabelleloeschen\n"
                                                          u"key Ctrl+Shift+O\ndump\nclick frmArchiv.cmdOeffnen\ndump\n"
                                                          u"click English\nkey Ctrl+Shift+O\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    const QList<QStringList> downloaded = bench.grid(result.dumps[0]);
    const QStringList listed = result.dumps[1].list(u"frmArchiv.lstArchiv"_s);
    ASSERT_EQ(listed.size(), 1);
    const QStringList cells = listed[0].split(u'\t');
    EXPECT_EQ(cells.value(2), u"RKS"_s);
    EXPECT_EQ(cells.value(3), u"Speicher 1"_s);
    EXPECT_EQ(cells.value(10), QString::number(downloaded.size() - 1));
    EXPECT_TRUE(result.dumps[1].windows().contains(u"frmArchiv"_s));

    const Dump& opened = result.dumps[2];
    EXPECT_TRUE(messageTexts(opened).isEmpty()) << messageTexts(opened).join(u'|').toStdString();
    EXPECT_FALSE(opened.windows().contains(u"frmArchiv"_s)); // it closes once the table holds the inspection
    EXPECT_EQ(bench.grid(opened).mid(1), downloaded.mid(1));
    EXPECT_TRUE(opened.text(u"optFE"_s).startsWith(u"Archiv #1 ("_s)) << opened.text(u"optFE"_s).toStdString();
    // Opening it kept nothing new.
    EXPECT_EQ(result.dumps[3].list(u"frmArchiv.lstArchiv"_s).size(), 1);
    EXPECT_EQ(result.dumps[3].list(u"frmArchiv.lstArchiv"_s).value(0).split(u'\t').value(3), u"Memory 1"_s);
}

} // namespace
