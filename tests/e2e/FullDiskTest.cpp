// A full disk under the data folder: every save through the window names
// the system's reason in the operator's language, never "Unbekannter
// Fehler". The disk is a file system of 256 KiB mounted for the test;
// without the right to mount (not root) the tests are skipped.

#include "MeasurementText.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/mount.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;
const QString kDorna = u"DORNA RIDIVORI"_s;
const QString kNoSpace = u"Kein Speicherplatz auf dem Gerät"_s;

// A disk of 256 KiB at `folder` for as long as it lives.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : where(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        mounted = ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted) ::umount2(where.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool ready() const { return mounted; }

    // Fills the disk up to `room` bytes.
    void fill(qint64 room) const
    {
        QFile filler(QFile::decodeName(where) + u"/.filler"_s);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        filler.resize(qMax<qint64>(filler.size() - room, 0));
    }

private:
    QByteArray where;
    bool mounted = false;
};

// 1000 readings of a RK-SIVAR, saved as a measurement file, as CSV and as
// the two exports to a disk with room for a part of each: the write is cut
// short, where Qt keeps no reason. In German and in English; nothing is
// left behind, and the file that was there stays.
TEST(FullDisk, EverySaveNamesTheSystemsReason)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    QList<QByteArray> lines;
    for (int n = 1; n <= 1000; ++n)
        lines << recordLine(n, QByteArray::number(20 + (n * 7919) % 600 / 10.0).constData(), "µm");
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory})).ready());
    const QString data = bench.session.messDataPath(kBrand, kSivar);
    const SmallDisk disk(data);
    if (!disk.ready()) GTEST_SKIP() << "no right to mount a file system";
    const QString mes = data + u"/mes/x.mes"_s;
    const QString csv = data + u"/x.csv"_s;
    const QByteArray earlier = "Speicher\r\n\r\n";

    const DriveResult result = bench.connect(
        kUntilIdle + u"dump\n"_s + saveScript(mes) + u"save "_s + csv + u"\nkey Ctrl+E\n"_s + kUntilIdle
            + u"dump\nanswer No\nclick cmdExcel\n"_s + kUntilIdle + u"dump\nclick cmdWord\n"_s + kUntilIdle
            + u"dump\nclick English\nwait-ms 300\n"_s + saveScript(mes),
        [&](int index) {
            if (index != 0) return;
            DriveSession::writeFile(mes, earlier);
            disk.fill(4096);
        },
        40000);
    ASSERT_EQ(result.dumps.size(), 6);
    ASSERT_EQ(result.dumps[0].text(u"optFE"_s), u"Speicher (1000)"_s);
    const QString exportFolder = data + u"/export/"_s;
    const std::pair<QString, QString> said[] = {
        {u"Die Datei "_s + mes + u" konnte nicht gespeichert werden: "_s, kNoSpace},
        {u"Die Datei "_s + csv + u" konnte nicht gespeichert werden: "_s, kNoSpace},
        {u"Die Datei "_s + exportFolder + u"Messwerte_"_s, kNoSpace},
        {u"Die Datei "_s + exportFolder + u"Bericht_"_s, kNoSpace},
        {u"The file "_s + mes + u" could not be saved: "_s, u"No space left on device"_s},
    };
    const QStringList log = logLines(bench.session, kSivar);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(said[i].first.toStdString());
        // The spreadsheet asks for its chart first.
        const QStringList texts = messageTexts(result.dumps[i + 1]);
        ASSERT_EQ(texts.size(), i == 2 ? 2 : 1) << texts.join(u'|').toStdString();
        EXPECT_TRUE(texts.last().startsWith(said[i].first)) << texts.last().toStdString();
        EXPECT_TRUE(texts.last().contains(said[i].second)) << texts.last().toStdString();
        EXPECT_EQ(log.filter(texts.last()).size(), 1);
    }
    EXPECT_EQ(DriveSession::readFile(mes), earlier);
    EXPECT_FALSE(QFile::exists(csv));
    EXPECT_EQ(folderEntries(exportFolder), QStringList());
}

// Online.mes grows with every reading until the disk is full: the save that
// no longer fits names the reason once; the readings stay in the table.
TEST(FullDisk, OnlineMesNamesTheSystemsReason)
{
    DownloadBench bench("DOR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(), {"DORNA-1\r\nVD: 1.10\r\n\x04"});
    ASSERT_TRUE(gauge.ready());
    const QString data = bench.session.messDataPath(kBrand, kDorna);
    const SmallDisk disk(data);
    if (!disk.ready()) GTEST_SKIP() << "no right to mount a file system";
    QByteArray wire;
    for (int n = 1; n <= 1000; ++n) wire += recordLine(n, "5.000", "mVs") + "\r\n";

    const DriveResult result = bench.connect(kUntilIdle + u"dump\nwait-ms 2500\ndump\n"_s, [&](int index) {
        if (index != 0) return;
        disk.fill(16 * 1024); // a part of the file fits
        gauge.feed(wire);
    });
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& d = result.dumps[1];
    EXPECT_EQ(d.text(u"optOnline"_s), u"Online (1000)"_s);
    const QString onlineMes = data + u"/Online.mes"_s;
    const QStringList texts = messageTexts(d);
    ASSERT_EQ(texts.size(), 1) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts[0], u"Die Datei %1 konnte nicht gespeichert werden: %2 (%1)"_s.arg(onlineMes, kNoSpace));
    EXPECT_EQ(logLines(bench.session, kDorna).count(texts[0]), 1);
}

} // namespace
