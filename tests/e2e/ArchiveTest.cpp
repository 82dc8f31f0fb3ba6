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

TEST(Archive, AnArchiveOutOfReachIsSaidOnceAndTheProgramWorksOn)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.session.setEnv(u"KIVO_ARCHIVE"_s, u"postgresql://lab:secret@db/x"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_TRUE(d.text(u"lblArchive"_s).startsWith(u"Archiv nicht erreichbar (KIVO_ARCHIVE: no password"_s))
        << d.text(u"lblArchive"_s).toStdString();
    EXPECT_TRUE(messageTexts(d).isEmpty()) << messageTexts(d).join(u'|').toStdString();
    EXPECT_GT(bench.grid(d).size(), 1); // the readings are in the table all the same
}

} // namespace
