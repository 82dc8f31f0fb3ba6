// Measurement files that cannot be written or read: the operator is told
// the path and the system's reason, the log keeps the same line, and a
// failed save leaves no part of a file behind.

#include "MeasurementText.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;

QString savedPrefix(const QString& path) { return u"Die Datei "_s + path + u" konnte nicht gespeichert werden: "_s; }

QString readPrefix(const QString& path) { return u"Die Datei "_s + path + u" konnte nicht gelesen werden: "_s; }

// One message, made of `prefix` and a reason; returns the message.
QString onlyMessage(const Dump& d, const QString& prefix)
{
    const QStringList texts = messageTexts(d);
    EXPECT_EQ(texts.size(), 1) << texts.join(u'|').toStdString();
    if (texts.isEmpty()) return {};
    EXPECT_TRUE(texts[0].startsWith(prefix)) << texts[0].toStdString();
    EXPECT_GT(texts[0].size(), prefix.size()) << "no reason given";
    return texts[0];
}

// Saving into a folder that does not exist and cannot be made.
struct UnwritableFolder {
    const char* name;
    bool measurementFolderIsAFile; // else: a folder under the test's own that was never made
};

void PrintTo(const UnwritableFolder& c, std::ostream* os) { *os << c.name; }

class FilesUnwritableFolder : public testing::TestWithParam<UnwritableFolder> {};

TEST_P(FilesUnwritableFolder, SaveIsReportedAndWritesNothing)
{
    const UnwritableFolder& c = GetParam();
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const QByteArray inTheWay = "not a folder\r\n";
    if (c.measurementFolderIsAFile) DriveSession::writeFile(mes, inTheWay);
    const QString folder = c.measurementFolderIsAFile ? mes : bench.session.path(u"missing/folder"_s);
    // A cancelled dialog first: nothing happens.
    const DriveResult result = bench.connect(kUntilIdle + u"dump\nclick cmdSave\n"_s + kUntilIdle + u"dump\n"_s
                                             + saveScript(folder + u"/x"_s));
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_TRUE(result.dumps[1].messages().isEmpty());

    const Dump& d = result.dumps[2];
    const QString message = onlyMessage(d, savedPrefix(folder + u"/x.mes"_s));
    EXPECT_EQ(logLines(bench.session, kSivar).count(message), 1);
    if (c.measurementFolderIsAFile) {
        EXPECT_EQ(DriveSession::readFile(mes), inTheWay);
    } else {
        EXPECT_FALSE(QFileInfo::exists(bench.session.path(u"missing"_s)));
        EXPECT_TRUE(folderEntries(mes).isEmpty());
    }
    // The table stays as it was.
    EXPECT_EQ(d.gridRows(), result.dumps[0].gridRows());
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (12)"_s);
}

INSTANTIATE_TEST_SUITE_P(, FilesUnwritableFolder,
                         testing::Values(UnwritableFolder{"MissingFolder", false},
                                         UnwritableFolder{"MeasurementFolderIsAFile", true}),
                         [](const testing::TestParamInfo<UnwritableFolder>& info) { return std::string(info.param.name); });

TEST(Files, SaveThatFailsPartWayKeepsTheEarlierFile)
{
    DownloadBench bench("RKS", PortType::Cable);
    // As on a full disk: the report of 100 readings is past the size the
    // program may write, its settings files and its log are not.
    QList<QByteArray> lines;
    for (int n = 1; n <= 100; ++n) lines << recordLine(n, n % 2 ? "48.2" : "51.7", "µm");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    bench.session.limitFileSize(3000);
    const QString mes = bench.session.messDataPath(kBrand, kSivar) + u"/mes"_s;
    const QByteArray earlier = "Speicher\r\n\r\nStatistik:  mit Absolutwerten\r\n\r\n\r\n";
    DriveSession::writeFile(mes + u"/x.mes"_s, earlier);

    const DriveResult result = bench.connect(kUntilIdle + saveScript(mes + u"/x.mes"_s));
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(result.dumps[0].text(u"optFE"_s), u"Speicher (100)"_s);
    const QString message = onlyMessage(result.dumps[0], savedPrefix(mes + u"/x.mes"_s));
    EXPECT_EQ(logLines(bench.session, kSivar).count(message), 1);
    EXPECT_EQ(DriveSession::readFile(mes + u"/x.mes"_s), earlier);
    EXPECT_EQ(folderEntries(mes), QStringList({u"x.mes"_s}));
}

TEST(Files, FileThatCannotBeReadIsReported)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const QString folder = bench.session.path(u"folder.mes"_s);
    const QString missing = bench.session.path(u"missing.mes"_s);
    QDir().mkpath(folder);
    const DriveResult result = bench.connect(kUntilIdle + openScript(folder) + openScript(missing));
    ASSERT_EQ(result.dumps.size(), 2);
    const QStringList log = logLines(bench.session, kSivar);
    EXPECT_EQ(log.count(onlyMessage(result.dumps[0], readPrefix(folder))), 1);
    EXPECT_EQ(log.count(onlyMessage(result.dumps[1], readPrefix(missing))), 1);
}

} // namespace
